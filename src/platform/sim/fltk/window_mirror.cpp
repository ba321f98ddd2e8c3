#include "platform/sim/fltk/window_mirror.h"

#include <FL/Fl.H>

#include "platform/sim/fltk/always_on_top.h"
#include "platform/sim/fltk/control_views.h"

namespace lyn::sim::fltk {
namespace {

// The group a control's widget goes into: its container's view.
Fl_Group* GroupOf(const WindowMirror& mirror, const ControlModel& control) {
  return static_cast<Fl_Group*>(mirror.WidgetOf(*control.Container()));
}

// Transparent labels and images show what lies beneath them, so a change
// repaints the surface they lie on.
void RedrawAround(Fl_Widget& widget) {
  if (widget.parent() != nullptr) {
    widget.parent()->redraw();
  } else {
    widget.redraw();
  }
}

}  // namespace

WindowMirror::WindowMirror(WidgetSet& widgets, int machineScreenWidth, int machineScreenHeight)
    : widgets_(widgets),
      machineScreenWidth_(machineScreenWidth),
      machineScreenHeight_(machineScreenHeight) {}

WindowMirror::~WindowMirror() = default;

Fl_Widget* WindowMirror::WidgetOf(const ControlModel& control) const {
  const auto found = entries_.find(&control);
  return found == entries_.end() ? nullptr : found->second.widget;
}

Fl_Window* WindowMirror::WindowOf(const FormModel& form) const {
  const auto found = windows_.find(&form);
  return found == windows_.end() ? nullptr : found->second.get();
}

ControlModel& WindowMirror::Mutable(const ControlModel& control) const {
  return *widgets_.FindForm(control.Form().hWnd())->Find(control.Name());
}

void WindowMirror::OnWidgetClicked(Fl_Widget*, void* data) {
  const auto* entry = static_cast<const Entry*>(data);
  entry->mirror->Mutable(*entry->control).Click();
}

void WindowMirror::OnWindowClosing(Fl_Widget*, void* data) {
  // Escape closes an FLTK window by default; it does not close a form.
  if (Fl::event() == FL_SHORTCUT && Fl::event_key() == FL_Escape) return;
  const auto* entry = static_cast<const Entry*>(data);
  static_cast<FormModel&>(entry->mirror->Mutable(*entry->control)).Close();
}

Fl_Widget* WindowMirror::CreateView(const ControlModel& control) {
  switch (control.Kind()) {
    case ui::Kind::Label:
      return new LabelView(control);
    case ui::Kind::Image:
      return new ImageView(control);
    case ui::Kind::OptionButton:
      return new OptionView(control);
    case ui::Kind::CommandButton:
      return new ButtonView(control);
    case ui::Kind::TextBox:
      return new TextBoxView(control);
    case ui::Kind::PictureBox:
      return new PictureBoxView(static_cast<const SurfaceModel&>(control));
    case ui::Kind::Form:
    case ui::Kind::Timer:
      break;
  }
  return nullptr;
}

void WindowMirror::OnControlAdded(const ControlModel& control) {
  Fl_Group::current(nullptr);
  if (control.Kind() == ui::Kind::Form) {
    const auto& form = static_cast<const FormModel&>(control);
    auto window = std::make_unique<FormWindow>(form);
    window->copy_label(form.Caption().c_str());
    Entry& entry = entries_[&form] = Entry{this, &form, window.get()};
    window->callback(&WindowMirror::OnWindowClosing, &entry);
    window->OnKey([this, &form](Key key) { PressKey(form, key); });
    windows_[&form] = std::move(window);
    PlaceForm(form);
    return;
  }
  Fl_Widget* widget = CreateView(control);
  if (widget == nullptr) return;
  Entry& entry = entries_[&control] = Entry{this, &control, widget};
  widget->callback(&WindowMirror::OnWidgetClicked, &entry);
  if (!control.State().toolTip.empty()) widget->copy_tooltip(control.State().toolTip.c_str());
  GroupOf(*this, control)->add(widget);
  ApplyCaption(control, *widget);
  ApplyFlags(control, *widget);
  const PixelRect r = PixelsOf(control);
  widget->resize(r.x, r.y, r.w, r.h);
}

void WindowMirror::OnChanged(const ControlModel& control, Property property) {
  Fl_Widget* widget = WidgetOf(control);
  if (widget == nullptr) return;
  const bool isForm = control.Kind() == ui::Kind::Form;
  const auto& form = control.Form();
  switch (property) {
    case Property::Caption:
      if (isForm) {
        widget->copy_label(control.Caption().c_str());
      } else {
        ApplyCaption(control, *widget);
      }
      break;
    case Property::Visible:
      if (isForm) {
        if (control.Visible()) {
          Show(form);
        } else {
          widget->hide();
        }
        return;
      }
      ApplyFlags(control, *widget);
      break;
    case Property::Enabled:
      // A form is disabled while a message box it owns is up; the box,
      // being modal, already keeps the window from input.
      if (isForm) return;
      ApplyFlags(control, *widget);
      break;
    case Property::Value:
      ApplyFlags(control, *widget);
      break;
    case Property::Geometry:
    case Property::Container:
      if (isForm) {
        PlaceForm(form);
        return;
      }
      if (property == Property::Container) GroupOf(*this, control)->add(widget);
      Layout(form);
      break;
    case Property::Image:
      widget->redraw();
      Fl::flush();
      return;
    case Property::Topmost:
      topmost_[&form] = true;
      KeepAboveOthers(*WindowOf(form));
      return;
    case Property::ScaleMode:
      return;
  }
  RedrawAround(*widget);
}

void WindowMirror::OnClosed(const FormModel& form) {
  if (Fl_Window* window = WindowOf(form)) window->hide();
}

void WindowMirror::Show(const FormModel& form) {
  Fl_Window& window = *WindowOf(form);
  PlaceForm(form);
  window.show();
  if (topmost_[&form]) KeepAboveOthers(window);
  FocusAsModel(form);
}

void WindowMirror::PressKey(const FormModel& form, Key key) {
  FormModel& model = static_cast<FormModel&>(Mutable(form));
  // A click may have moved FLTK's focus; the model goes on from there.
  for (const auto& control : form.Controls()) {
    if (WidgetOf(*control) == Fl::focus() && control->State().tabIndex >= 0) {
      model.SetFocus(&Mutable(*control));
    }
  }
  model.PressKey(key);
  FocusAsModel(form);
}

void WindowMirror::FocusAsModel(const FormModel& form) {
  if (const ControlModel* focus = form.Focus()) {
    if (Fl_Widget* widget = WidgetOf(*focus)) widget->take_focus();
  }
}

void WindowMirror::PlaceForm(const FormModel& form) {
  Fl_Window& window = *WindowOf(form);
  const PixelRect client = PixelsOf(form);
  const ui::ControlDesign& s = form.State();
  // The form's position is that of its outer frame: a border on three sides
  // and the caption bar on top.
  const int border = (s.width / ui::kTwipsPerPixel - client.w) / 2;
  const int caption = s.height / ui::kTwipsPerPixel - client.h - border;
  int sx = 0, sy = 0, sw = 0, sh = 0;
  Fl::screen_xywh(sx, sy, sw, sh, 0);
  const int x = sx + (sw - machineScreenWidth_) / 2 + s.left / ui::kTwipsPerPixel + border;
  const int y = sy + (sh - machineScreenHeight_) / 2 + s.top / ui::kTwipsPerPixel + caption;
  window.resize(x, y, client.w, client.h);
}

void WindowMirror::Layout(const FormModel& form) {
  // Picture boxes first, placed without dragging their children along; then
  // every control at its own place.
  for (const bool boxes : {true, false}) {
    for (const auto& control : form.Controls()) {
      Fl_Widget* widget = WidgetOf(*control);
      if (widget == nullptr || (control->Kind() == ui::Kind::PictureBox) != boxes) continue;
      const PixelRect r = PixelsOf(*control);
      if (boxes) {
        widget->Fl_Widget::resize(r.x, r.y, r.w, r.h);
      } else {
        widget->resize(r.x, r.y, r.w, r.h);
      }
    }
  }
  WindowOf(form)->redraw();
}

void WindowMirror::ApplyFlags(const ControlModel& control, Fl_Widget& widget) {
  if (control.Visible()) {
    widget.show();
  } else {
    widget.hide();
  }
  if (control.Enabled()) {
    widget.activate();
  } else {
    widget.deactivate();
  }
  if (control.Kind() == ui::Kind::OptionButton) {
    static_cast<Fl_Button&>(widget).value(control.Value() ? 1 : 0);
  }
}

void WindowMirror::ApplyCaption(const ControlModel& control, Fl_Widget& widget) {
  switch (control.Kind()) {
    case ui::Kind::TextBox:
      static_cast<TextBoxView&>(widget).SetText(control.Caption());
      break;
    case ui::Kind::Label:
    case ui::Kind::CommandButton:
      widget.copy_label(LabelText(control.Caption()).c_str());
      break;
    default:
      break;
  }
}

}  // namespace lyn::sim::fltk
