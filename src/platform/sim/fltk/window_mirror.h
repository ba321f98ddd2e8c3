// The FLTK window on Linux: each form of the widget set mirrored into a real
// window and each control into an FLTK widget, kept in step with the model
// through its notifications. A person's clicks on the widgets go back to the
// model as clicks.
#pragma once

#include <FL/Fl_Widget.H>
#include <FL/Fl_Window.H>

#include <map>
#include <memory>

#include "platform/sim/ui/keyboard.h"
#include "platform/sim/ui/widget_set.h"

namespace lyn::sim::fltk {

class FormWindow;

class WindowMirror final : public WidgetObserver {
 public:
  // The emulated machine's screen (in pixels) is laid centred over the real
  // one, so that a form the program centres on its screen is centred here.
  WindowMirror(WidgetSet& widgets, int machineScreenWidth, int machineScreenHeight);
  ~WindowMirror() override;
  WindowMirror(const WindowMirror&) = delete;
  WindowMirror& operator=(const WindowMirror&) = delete;

  void OnControlAdded(const ControlModel& control) override;
  void OnChanged(const ControlModel& control, Property property) override;
  void OnClosed(const FormModel& form) override;

  // The widget that shows a control (the window for a form); null for
  // controls a person never sees, such as timers.
  Fl_Widget* WidgetOf(const ControlModel& control) const;
  Fl_Window* WindowOf(const FormModel& form) const;

 private:
  struct Entry {
    WindowMirror* mirror;
    const ControlModel* control;
    Fl_Widget* widget;
  };

  static void OnWidgetClicked(Fl_Widget* widget, void* entry);
  static void OnWindowClosing(Fl_Widget* widget, void* entry);
  Fl_Widget* CreateView(const ControlModel& control);
  void Show(const FormModel& form);
  // A key that moves the focus goes to the model, which knows what a person
  // can reach; FLTK's focus follows the model's.
  void PressKey(const FormModel& form, Key key);
  void FocusAsModel(const FormModel& form);
  void PlaceForm(const FormModel& form);
  // Sets every widget of the form to its control's place, size and flags.
  void Layout(const FormModel& form);
  void ApplyFlags(const ControlModel& control, Fl_Widget& widget);
  void ApplyCaption(const ControlModel& control, Fl_Widget& widget);
  ControlModel& Mutable(const ControlModel& control) const;

  WidgetSet& widgets_;
  int machineScreenWidth_;
  int machineScreenHeight_;
  std::map<const ControlModel*, Entry> entries_;
  std::map<const FormModel*, std::unique_ptr<FormWindow>> windows_;
  std::map<const FormModel*, bool> topmost_;
};

}  // namespace lyn::sim::fltk
