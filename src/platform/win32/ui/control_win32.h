// One control of the real widget set: a child window of the platform's
// standard classes (STATIC for labels and images, BUTTON for option and push
// buttons, EDIT for the text box), or a real timer. Positions are kept in
// twips as designed and given to the window in pixels.
#pragma once

#include <functional>
#include <string>

#include "platform/api/widgets.h"
#include "platform/win32/win_sdk.h"

namespace lyn::win32 {

class BackImage;
class Win32Form;
class Win32Surface;

// The window property that carries a control's designed name (as a global
// atom), so that automation tools can tell the controls apart.
inline constexpr const char* kNameProperty = "LYNControlName";

class Win32Control : public virtual ui::Control {
 public:
  // Creates the control's window inside its container (the form or a
  // picture box); a timer gets no window.
  Win32Control(const ui::ControlDesign& design, Win32Surface& container, Win32Form& form);
  ~Win32Control() override;
  Win32Control(const Win32Control&) = delete;
  Win32Control& operator=(const Win32Control&) = delete;

  const std::string& Name() const override { return state_.name; }
  std::string Caption() const override { return state_.caption; }
  void SetCaption(const std::string& caption) override;
  bool Enabled() const override { return state_.enabled; }
  void SetEnabled(bool enabled) override;
  bool Visible() const override { return state_.visible; }
  void SetVisible(bool visible) override;
  bool Value() const override { return state_.value; }
  void SetValue(bool selected) override;
  void Move(int left, int top, int width, int height) override;
  int Left() const override;
  int Top() const override;
  int Width() const override;
  int Height() const override;
  void SetContainer(ui::Control& pictureBox) override;
  void SetHandler(std::function<void()> handler) override { handler_ = std::move(handler); }

  HWND Window() const { return window_; }
  const ui::ControlDesign& State() const { return state_; }
  ui::Kind Kind() const { return state_.kind; }
  Win32Surface* Container() const { return container_; }
  // The id of a running timer on the form's window; 0 when stopped.
  UINT_PTR TimerId() const { return timerId_; }

  // The control of a window of this widget set; null for other windows.
  static Win32Control* Of(HWND window);

  // A person can see some of it and press it: shown, enabled with every
  // container around it, and not wholly covered by a window above it.
  bool Reachable() const;

  // The platform reported a click on the control.
  void OnClicked();
  // The timer's interval has passed.
  void Tick();
  // Paints an owner-drawn label or image over what lies beneath it: the
  // container's back image and the labels and images below it.
  void Draw(const DRAWITEMSTRUCT& item, const BackImage& behind) const;
  // The colours of a control the platform draws itself; null for defaults.
  HBRUSH Colours(HDC dc) const;

 protected:
  // For surfaces, which make their own window.
  Win32Control(const ui::ControlDesign& design, Win32Surface* container, Win32Form& form,
               HWND window);
  // Gives the window its designed place in pixels.
  virtual void Place();
  void Attach(HWND window);
  void RaiseHandler();
  Win32Form& Form() const { return form_; }

  ui::ControlDesign state_;
  HWND window_ = nullptr;

 private:
  void UpdateTimer();
  // Draws the picture or the caption into `area` of the device context.
  void DrawContent(HDC dc, const RECT& area) const;

  Win32Surface* container_;
  Win32Form& form_;
  HFONT font_ = nullptr;
  HBITMAP picture_ = nullptr;
  HBRUSH background_ = nullptr;
  ATOM nameAtom_ = 0;
  UINT_PTR timerId_ = 0;
  std::function<void()> handler_;
};

}  // namespace lyn::win32
