// The FLTK widgets that show the widget model's controls on Linux. Each keeps
// a reference to its control and draws from the control's current state;
// the window mirror creates them and keeps their geometry and flags in step.
#pragma once

#include <FL/Enumerations.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Group.H>
#include <FL/Fl_RGB_Image.H>
#include <FL/Fl_Text_Buffer.H>
#include <FL/Fl_Text_Display.H>

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/sim/fltk/picture_raster.h"
#include "platform/sim/ui/form_model.h"
#include "platform/sim/ui/keyboard.h"

namespace lyn::sim::fltk {

// A rectangle in pixels, relative to the form's client area.
struct PixelRect {
  int x = 0, y = 0, w = 0, h = 0;
};

// Where the control lies in its form's client area, in pixels. Images that
// are not stretched take the size of their picture.
PixelRect PixelsOf(const ControlModel& control);

Fl_Color ColorOf(ui::COLORREF color);
// A caption as FLTK must be given it to draw it literally.
std::string LabelText(const std::string& caption);

// The form: a window whose client area shows the form's back image with the
// controls over it.
class FormWindow final : public Fl_Double_Window {
 public:
  explicit FormWindow(const FormModel& model);

  // Tab, Shift+Tab and the arrows go to `onKey` instead of FLTK's own
  // navigation; Space goes to the focused widget.
  void OnKey(std::function<void(Key)> onKey) { onKey_ = std::move(onKey); }
  int handle(int event) override;

 protected:
  void draw() override;

 private:
  const FormModel& model_;
  std::function<void(Key)> onKey_;
  std::optional<Fl_RGB_Image> icon_;
};

// A picture box: its back image with the controls inside it, clipped to it.
class PictureBoxView final : public Fl_Group {
 public:
  explicit PictureBoxView(const SurfaceModel& model);
  int handle(int event) override;

 protected:
  void draw() override;

 private:
  const SurfaceModel& model_;
};

// An image control: its picture laid over the back image of its container.
class ImageView final : public Fl_Widget {
 public:
  explicit ImageView(const ControlModel& model);

 protected:
  void draw() override;

 private:
  const ControlModel& model_;
  RgbaImage scaled_;
};

// A label: text without a frame or margin, clickable.
class LabelView final : public Fl_Box {
 public:
  explicit LabelView(const ControlModel& model);
  int handle(int event) override;

 protected:
  void draw() override;
};

// An option button without a caption: the round mark on its background.
class OptionView final : public Fl_Button {
 public:
  explicit OptionView(const ControlModel& model);

 protected:
  void draw() override;
};

// A push button.
class ButtonView final : public Fl_Button {
 public:
  explicit ButtonView(const ControlModel& model);
};

// Holds a text box's buffer; a base of the view, so that the buffer outlives
// the display that refers to it.
struct TextHolder {
  Fl_Text_Buffer text;
};

// A multi-line text box: word-wrapped text with a vertical scroll bar.
class TextBoxView final : private TextHolder, public Fl_Text_Display {
 public:
  explicit TextBoxView(const ControlModel& model);
  // Shows the control's text (CR LF line ends) as lines.
  void SetText(const std::string& text);
};

}  // namespace lyn::sim::fltk
