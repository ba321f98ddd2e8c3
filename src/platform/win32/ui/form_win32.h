// The form of the real widget set: a top-level window of the program's own
// class, the owner of its controls, their timers and their tab order.
#pragma once

#include <memory>
#include <vector>

#include "platform/win32/ui/surface_win32.h"
#include "platform/win32/win_sdk.h"

namespace lyn::win32 {

class Win32Widgets;

class Win32Form final : public Win32Surface, public ui::Form {
 public:
  // Client size in twips; the window stays hidden until shown.
  Win32Form(const ui::ControlDesign& design, int clientWidth, int clientHeight,
            Win32Widgets& widgets);
  ~Win32Form() override;

  win::HWND hWnd() const override { return reinterpret_cast<win::HWND>(window_); }
  void Show() override { SetVisible(true); }
  void SetVisible(bool visible) override;
  ui::Control& Add(const ui::ControlDesign& design) override;
  ui::Surface& AddPictureBox(const ui::ControlDesign& design) override;
  // The form's place is that of its outer frame on the screen.
  void Move(int left, int top, int width, int height) override;
  int Left() const override;
  int Top() const override;
  int Width() const override;
  int Height() const override;

  const std::vector<std::unique_ptr<Win32Control>>& Controls() const { return controls_; }
  // Keyboard handling of a key message for the form or one of its controls;
  // true when the form has dealt with it. Tab and Shift+Tab move the focus
  // through the tab stops by their designed tab index, the arrows through
  // the option buttons of the focused one's container, selecting the one
  // reached; only reachable controls take the focus, and a key press for a
  // control that is not reachable is dropped, so that nothing covered or
  // disabled can be pressed from the keyboard.
  bool HandleKey(const MSG& message);
  int NextControlId() { return ++lastControlId_; }
  // Ids of the form's timers on its window.
  UINT_PTR NextTimerId() { return ++lastTimerId_; }

 protected:
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  static HWND CreateFormWindow(const ui::ControlDesign& design, int clientWidth, int clientHeight);
  Win32Surface& ContainerFor(const ui::ControlDesign& design);
  // The controls that take the focus, in tab order.
  std::vector<Win32Control*> TabStops() const;
  // The next (or previous) reachable one of `candidates` after the focus,
  // wrapping around; null when there is none.
  static Win32Control* NextReachable(const std::vector<Win32Control*>& candidates, bool forward);
  RECT OuterRect() const;

  Win32Widgets& widgets_;
  HICON icon_ = nullptr;
  int lastControlId_ = 100;
  UINT_PTR lastTimerId_ = 0;
  std::vector<std::unique_ptr<Win32Control>> controls_;
};

}  // namespace lyn::win32
