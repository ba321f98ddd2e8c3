#include "platform/sim/fltk/control_views.h"

#include <FL/Fl.H>
#include <FL/fl_draw.H>

#include <cmath>

#include "platform/sim/fltk/fonts.h"

namespace lyn::sim::fltk {
namespace {

constexpr int kScrollBarWidth = 17;

// The standard option button's mark, 13 pixels square, as the window system
// draws it with the classic controls: 's' the shadow, 'd' the dark shadow,
// 'l' the light and 'h' the highlight of the sunken ring, 'x' the dot of a
// selected button (white when cleared), '.' the button's background.
constexpr const char* kOptionMark[] = {
    ".............", ".....ssss....", "...ssddddss..", "..ssdhhhhd.h.", "..sdhhhhhhlh.",
    ".sdhhhxxhhhlh", ".sdhhxxxxhhlh", ".sdhhxxxxhhlh", ".sdhhhxxhhhlh", "..sdhhhhhhlh.",
    "..hhlhhhhlhh.", "...hhllllhh..", ".....hhhh....",
};
constexpr int kOptionMarkSize = 13;

// The colours of the mark: the system colours of Windows 7's default scheme
// (shadow, dark shadow, light), white and black.
Fl_Color MarkColour(char part, bool selected) {
  switch (part) {
    case 's':
      return fl_rgb_color(160, 160, 160);
    case 'd':
      return fl_rgb_color(105, 105, 105);
    case 'l':
      return fl_rgb_color(227, 227, 227);
    case 'x':
      return selected ? FL_BLACK : FL_WHITE;
    default:
      return FL_WHITE;
  }
}

// Rounded half away from zero, as the window system converts twips.
int ToPixels(int twips) {
  return static_cast<int>(std::lround(static_cast<double>(twips) / ui::kTwipsPerPixel));
}

// Draws a surface's back image with its top-left corner at (x, y).
void DrawBackImage(const SurfaceModel& surface, int x, int y) {
  const BackImage& image = surface.Image();
  if (image.Width() <= 0 || image.Height() <= 0) return;
  const auto rgb = ToRgb(image);
  fl_draw_image(rgb.data(), x, y, image.Width(), image.Height(), 3);
}

void ApplyFont(Fl_Widget& widget, const ui::Font& font) {
  widget.labelfont(FaceOf(font));
  widget.labelsize(PixelSizeOf(font));
}

}  // namespace

PixelRect PixelsOf(const ControlModel& control) {
  const SurfaceModel* container = control.Container();
  if (container == nullptr) {
    const auto& form = static_cast<const FormModel&>(control);
    const TwipRect client = form.ClientRect();
    return {0, 0, ToPixels(client.right), ToPixels(client.bottom)};
  }
  // Placed in pixels inside its container's place, as child windows are.
  const PixelRect origin = PixelsOf(*container);
  const ui::ControlDesign& s = control.State();
  PixelRect rect{origin.x + ToPixels(s.left), origin.y + ToPixels(s.top), 0, 0};
  if (s.kind == ui::Kind::Image && !s.stretch && s.picture != nullptr) {
    rect.w = s.picture->width;
    rect.h = s.picture->height;
  } else {
    rect.w = ToPixels(s.width);
    rect.h = ToPixels(s.height);
  }
  return rect;
}

Fl_Color ColorOf(ui::COLORREF color) {
  return fl_rgb_color(static_cast<uchar>(ui::RedOf(color)), static_cast<uchar>(ui::GreenOf(color)),
                      static_cast<uchar>(ui::BlueOf(color)));
}

std::string LabelText(const std::string& caption) {
  std::string text;
  for (const char c : caption) {
    // '@' starts a symbol in an FLTK label; doubled it draws itself.
    if (c == '@') text += '@';
    text += c;
  }
  return text;
}

FormWindow::FormWindow(const FormModel& model)
    : Fl_Double_Window(PixelsOf(model).w, PixelsOf(model).h), model_(model) {
  end();
  const ui::Picture* picture = model.State().picture;
  if (picture != nullptr) {
    icon_.emplace(picture->rgba, picture->width, picture->height, 4);
    icon(&*icon_);
  }
}

int FormWindow::handle(int event) {
  if (event == FL_KEYBOARD && onKey_) {
    const bool back = Fl::event_state(FL_SHIFT) != 0;
    switch (Fl::event_key()) {
      case FL_Tab:
        onKey_(back ? Key::BackTab : Key::Tab);
        return 1;
      case FL_Left:
        onKey_(Key::Left);
        return 1;
      case FL_Right:
        onKey_(Key::Right);
        return 1;
      case FL_Up:
        onKey_(Key::Up);
        return 1;
      case FL_Down:
        onKey_(Key::Down);
        return 1;
      default:
        break;
    }
  }
  return Fl_Double_Window::handle(event);
}

void FormWindow::draw() {
  DrawBackImage(model_, 0, 0);
  draw_children();
}

PictureBoxView::PictureBoxView(const SurfaceModel& model) : Fl_Group(0, 0, 1, 1), model_(model) {
  end();
  resizable(nullptr);
  clip_children(1);
}

int PictureBoxView::handle(int event) {
  // Keys that move the focus are the form's.
  if (event == FL_KEYBOARD) {
    switch (Fl::event_key()) {
      case FL_Tab:
      case FL_Left:
      case FL_Right:
      case FL_Up:
      case FL_Down:
        return 0;
      default:
        break;
    }
  }
  return Fl_Group::handle(event);
}

void PictureBoxView::draw() {
  fl_push_clip(x(), y(), w(), h());
  DrawBackImage(model_, x(), y());
  fl_pop_clip();
  draw_children();
}

ImageView::ImageView(const ControlModel& model) : Fl_Widget(0, 0, 1, 1), model_(model) {}

void ImageView::draw() {
  const ui::Picture* picture = model_.State().picture;
  const SurfaceModel* under = model_.Container();
  if (picture == nullptr || under == nullptr) return;
  if (scaled_.width != w() || scaled_.height != h()) scaled_ = Stretch(*picture, w(), h());
  const PixelRect base = PixelsOf(*under);
  const PixelRect me = PixelsOf(model_);
  const auto rgb = Compose(under->Image(), me.x - base.x, me.y - base.y, scaled_);
  fl_draw_image(rgb.data(), x(), y(), w(), h(), 3);
}

LabelView::LabelView(const ControlModel& model) : Fl_Box(0, 0, 1, 1) {
  const ui::ControlDesign& s = model.State();
  box(s.transparent || !s.hasBackColor ? FL_NO_BOX : FL_FLAT_BOX);
  if (s.hasBackColor) color(ColorOf(s.backColor));
  labelcolor(s.hasForeColor ? ColorOf(s.foreColor) : FL_BLACK);
  ApplyFont(*this, s.font);
  align(FL_ALIGN_INSIDE | FL_ALIGN_TOP | FL_ALIGN_WRAP | FL_ALIGN_CLIP |
        (s.align == ui::Align::Centre ? FL_ALIGN_CENTER : FL_ALIGN_LEFT));
}

int LabelView::handle(int event) {
  switch (event) {
    case FL_PUSH:
      return 1;
    case FL_RELEASE:
      if (Fl::event_inside(this)) do_callback();
      return 1;
    default:
      return Fl_Box::handle(event);
  }
}

void LabelView::draw() {
  draw_box();
  // FLTK's own label drawing keeps 3 pixels from the sides; a label's text
  // starts at its edge.
  draw_label(x(), y(), w(), h(), align());
}

OptionView::OptionView(const ControlModel& model) : Fl_Button(0, 0, 1, 1) {
  const ui::ControlDesign& s = model.State();
  box(FL_FLAT_BOX);
  color(s.hasBackColor ? ColorOf(s.backColor) : ColorOf(kButtonFace));
  value(s.value ? 1 : 0);
}

void OptionView::draw() {
  fl_rectf(x(), y(), w(), h(), color());
  const int top = y() + (h() - kOptionMarkSize) / 2;
  for (int row = 0; row < kOptionMarkSize; ++row) {
    for (int column = 0; column < kOptionMarkSize; ++column) {
      const char part = kOptionMark[row][column];
      if (part == '.') continue;
      fl_color(MarkColour(part, value() != 0));
      fl_point(x() + column, top + row);
    }
  }
  if (Fl::focus() == this) draw_focus();
}

ButtonView::ButtonView(const ControlModel& model) : Fl_Button(0, 0, 1, 1) {
  const ui::ControlDesign& s = model.State();
  box(FL_UP_BOX);
  down_box(FL_DOWN_BOX);
  color(s.hasBackColor ? ColorOf(s.backColor) : ColorOf(kButtonFace));
  down_color(color());
  labelcolor(s.hasForeColor ? ColorOf(s.foreColor) : FL_BLACK);
  ApplyFont(*this, s.font);
}

TextBoxView::TextBoxView(const ControlModel& model) : Fl_Text_Display(0, 0, 1, 1) {
  const ui::ControlDesign& s = model.State();
  end();
  buffer(&text);
  box(FL_DOWN_BOX);
  color(s.hasBackColor ? ColorOf(s.backColor) : FL_WHITE);
  textcolor(s.hasForeColor ? ColorOf(s.foreColor) : FL_BLACK);
  textfont(FaceOf(s.font));
  textsize(PixelSizeOf(s.font));
  if (s.multiLine) wrap_mode(WRAP_AT_BOUNDS, 0);
  scrollbar_width(kScrollBarWidth);
  scrollbar_align(FL_ALIGN_RIGHT);
}

void TextBoxView::SetText(const std::string& caption) {
  std::string lines;
  lines.reserve(caption.size());
  for (std::size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '\r' && i + 1 < caption.size() && caption[i + 1] == '\n') continue;
    lines += caption[i];
  }
  text.text(lines.c_str());
}

}  // namespace lyn::sim::fltk
