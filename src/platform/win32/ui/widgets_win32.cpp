#include "platform/win32/ui/widgets_win32.h"

namespace lyn::win32 {

ui::Form& Win32Widgets::CreateForm(const ui::ControlDesign& design, int clientWidth,
                                   int clientHeight) {
  forms_.push_back(std::make_unique<Win32Form>(design, clientWidth, clientHeight, *this));
  ++openForms_;
  return *forms_.back();
}

void Win32Widgets::FormClosed() {
  if (--openForms_ == 0) ::PostQuitMessage(0);
}

void Win32Widgets::Dispatch(MSG& message) {
  // Keyboard navigation between the controls of the form the message is for.
  HWND root = message.hwnd != nullptr ? ::GetAncestor(message.hwnd, GA_ROOT) : nullptr;
  for (const auto& form : forms_) {
    if (form->Window() == root && form->HandleKey(message)) return;
  }
  ::TranslateMessage(&message);
  ::DispatchMessageA(&message);
}

void Win32Widgets::RunMessageLoop() {
  if (openForms_ == 0) return;
  MSG message{};
  while (::GetMessageA(&message, nullptr, 0, 0) > 0) Dispatch(message);
}

void Win32Widgets::SetMousePointer(int pointer) {
  // 13 is the arrow with the hourglass of a program busy in the background;
  // anything else the default arrow.
  constexpr int kArrowHourglass = 13;
  ::SetCursor(::LoadCursorA(nullptr, pointer == kArrowHourglass ? IDC_APPSTARTING : IDC_ARROW));
}

void Win32Widgets::DoEvents() {
  MSG message{};
  while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      ::PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    Dispatch(message);
  }
}

}  // namespace lyn::win32
