// The window system's standard controls as the program uses them: a form,
// labels, images, option buttons, push buttons, a multi-line text box, a
// picture box container and a timer, each designed in twips, plus the
// persistent drawing surfaces of the form and of picture boxes.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/api/win_types.h"

namespace lyn::ui {

using COLORREF = win::DWORD;

// RGB(r, g, b) as the platform packs it: red in the low byte.
constexpr COLORREF RGB(int r, int g, int b) {
  return static_cast<COLORREF>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int RedOf(COLORREF c) {
  return static_cast<int>(c & 0xFF);
}
constexpr int GreenOf(COLORREF c) {
  return static_cast<int>((c >> 8) & 0xFF);
}
constexpr int BlueOf(COLORREF c) {
  return static_cast<int>((c >> 16) & 0xFF);
}

constexpr int kTwipsPerPixel = 15;

enum class Kind { Form, Label, Image, OptionButton, CommandButton, TextBox, PictureBox, Timer };
enum class Align { Left, Centre };
enum class ScaleMode { Twips = 1, Pixels = 3 };

// A picture supplied with the product: 8-bit RGBA pixels, row by row.
struct Picture {
  int width = 0;
  int height = 0;
  const std::uint8_t* rgba = nullptr;
};

struct Font {
  std::string name;  // empty: the platform's default dialog font
  float points = 0;
  bool bold = false;
};

// Everything the designer sets on a control. Positions and sizes are twips,
// relative to the container's client area.
struct ControlDesign {
  std::string name;  // for example "lblClientOS" or "OpAccept(0)"
  Kind kind = Kind::Label;
  std::string caption;  // caption, or the text of a text box
  int left = 0, top = 0, width = 0, height = 0;
  bool hasForeColor = false;
  COLORREF foreColor = 0;
  bool hasBackColor = false;
  COLORREF backColor = 0;
  bool transparent = false;
  Font font;
  Align align = Align::Left;
  bool enabled = true;
  bool visible = true;
  bool value = false;  // option buttons: selected
  const Picture* picture = nullptr;
  bool stretch = false;
  std::string toolTip;
  bool multiLine = false;
  bool readOnly = false;
  bool verticalScrollBar = false;
  int tabIndex = -1;
  std::string container;  // empty: the form; otherwise the name of a picture box
  int interval = 0;       // timers, milliseconds
};

class Control {
 public:
  virtual ~Control() = default;

  virtual const std::string& Name() const = 0;
  virtual std::string Caption() const = 0;
  virtual void SetCaption(const std::string& caption) = 0;
  virtual bool Enabled() const = 0;
  virtual void SetEnabled(bool enabled) = 0;
  virtual bool Visible() const = 0;
  virtual void SetVisible(bool visible) = 0;
  // Option buttons: selecting one clears the others of its container and
  // raises its click handler, as a click does.
  virtual bool Value() const = 0;
  virtual void SetValue(bool selected) = 0;
  // Position and size in the container's scale units (twips unless the
  // container's scale was switched).
  virtual void Move(int left, int top, int width, int height) = 0;
  virtual int Left() const = 0;
  virtual int Top() const = 0;
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  // Makes the control a child of a picture box, keeping its position.
  virtual void SetContainer(Control& pictureBox) = 0;
  // The control's event: a click for labels, option and push buttons, the
  // tick for timers (interval set at design time, fires while enabled).
  virtual void SetHandler(std::function<void()> handler) = 0;
};

// A form or a picture box: a persistent back image that lines are drawn into
// and that a refresh shows.
class Surface : public virtual Control {
 public:
  virtual void SetScaleMode(ScaleMode mode) = 0;
  // Inner size in the current scale units.
  virtual double ScaleWidth() const = 0;
  virtual double ScaleHeight() const = 0;
  virtual void SetDrawStyle(int style) = 0;
  virtual void SetDrawMode(int mode) = 0;
  virtual void SetDrawWidth(int width) = 0;
  // Draws a line in the current scale units, without its last point, in the
  // current draw width.
  virtual void Line(double x1, double y1, double x2, double y2, COLORREF color) = 0;
  virtual void Refresh() = 0;
};

class Form : public virtual Surface {
 public:
  virtual win::HWND hWnd() const = 0;
  // Shows the form modeless; the first show runs no handler of the program.
  virtual void Show() = 0;
  virtual Control& Add(const ControlDesign& design) = 0;
  virtual Surface& AddPictureBox(const ControlDesign& design) = 0;
};

class Widgets {
 public:
  virtual ~Widgets() = default;

  // Creates the form (the window exists from here on, hidden until shown).
  // The design's size is the outer size of the window in twips.
  virtual Form& CreateForm(const ControlDesign& design, int clientWidth, int clientHeight) = 0;
  // Runs the message loop until the last form is closed.
  virtual void RunMessageLoop() = 0;
  // Processes the pending messages once.
  virtual void DoEvents() = 0;
  // The program-wide mouse pointer: 0 the default, 13 arrow and hourglass.
  virtual void SetMousePointer(int pointer) = 0;
};

}  // namespace lyn::ui
