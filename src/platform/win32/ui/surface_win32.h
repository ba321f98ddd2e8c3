// A form or picture box of the real widget set: a window of the program's
// own class with a persistent back image that lines are drawn into. It
// paints its children's backgrounds and routes their notifications.
#pragma once

#include <memory>

#include "platform/win32/ui/back_image.h"
#include "platform/win32/ui/control_win32.h"
#include "platform/win32/win_sdk.h"

namespace lyn::win32 {

// The window classes of forms and picture boxes.
inline constexpr const char* kFormClassName = "LYNSetupForm";
inline constexpr const char* kPictureBoxClassName = "LYNSetupPicture";

class Win32Surface : public Win32Control, public virtual ui::Surface {
 public:
  // A picture box inside container.
  Win32Surface(const ui::ControlDesign& design, Win32Surface& container, Win32Form& form);
  ~Win32Surface() override;

  void SetScaleMode(ui::ScaleMode mode) override { scale_ = mode; }
  double ScaleWidth() const override;
  double ScaleHeight() const override;
  void SetDrawStyle(int style) override { drawStyle_ = style; }
  void SetDrawMode(int mode) override { drawMode_ = mode; }
  void SetDrawWidth(int width) override { drawWidth_ = width; }
  void Line(double x1, double y1, double x2, double y2, ui::COLORREF color) override;
  void Refresh() override;

  // Registers the window classes of forms and picture boxes once.
  static void RegisterClasses();

 protected:
  // For the form, which makes its own top-level window.
  Win32Surface(const ui::ControlDesign& design, Win32Form& form, HWND window);
  // Makes the back image the size of the client area.
  void FitBackImage();
  void Place() override;
  virtual LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  int ToPixels(double units) const;

  ui::ScaleMode scale_ = ui::ScaleMode::Twips;
  int drawStyle_ = PS_SOLID;
  int drawMode_ = R2_COPYPEN;
  int drawWidth_ = 1;
  std::unique_ptr<BackImage> image_;
};

}  // namespace lyn::win32
