#include "platform/win32/ui/form_win32.h"

#include <algorithm>
#include <stdexcept>

#include "platform/win32/ui/gdi_objects.h"
#include "platform/win32/ui/widgets_win32.h"

namespace lyn::win32 {
namespace {

constexpr DWORD kFormStyle =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;

}  // namespace

HWND Win32Form::CreateFormWindow(const ui::ControlDesign& design, int clientWidth,
                                 int clientHeight) {
  RegisterClasses();
  RECT outer{0, 0, TwipsToPixels(clientWidth), TwipsToPixels(clientHeight)};
  ::AdjustWindowRectEx(&outer, kFormStyle, FALSE, 0);
  return ::CreateWindowExA(0, kFormClassName, design.caption.c_str(), kFormStyle,
                           TwipsToPixels(design.left), TwipsToPixels(design.top),
                           outer.right - outer.left, outer.bottom - outer.top, nullptr, nullptr,
                           ::GetModuleHandleA(nullptr), nullptr);
}

Win32Form::Win32Form(const ui::ControlDesign& design, int clientWidth, int clientHeight,
                     Win32Widgets& widgets)
    : Win32Surface(design, *this, CreateFormWindow(design, clientWidth, clientHeight)),
      widgets_(widgets) {
  state_.visible = false;
  if (design.picture != nullptr) {
    icon_ = CreatePictureIcon(*design.picture);
    ::SendMessageA(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
    ::SendMessageA(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_));
  }
}

Win32Form::~Win32Form() {
  controls_.clear();
  if (icon_ != nullptr) ::DestroyIcon(icon_);
}

Win32Surface& Win32Form::ContainerFor(const ui::ControlDesign& design) {
  if (design.container.empty()) return *this;
  for (const auto& control : controls_) {
    if (control->Name() == design.container && control->Kind() == ui::Kind::PictureBox) {
      return static_cast<Win32Surface&>(*control);
    }
  }
  throw std::logic_error(design.name + ": no picture box " + design.container);
}

ui::Control& Win32Form::Add(const ui::ControlDesign& design) {
  if (design.kind == ui::Kind::PictureBox) return AddPictureBox(design);
  controls_.push_back(std::make_unique<Win32Control>(design, ContainerFor(design), *this));
  return *controls_.back();
}

ui::Surface& Win32Form::AddPictureBox(const ui::ControlDesign& design) {
  auto box = std::make_unique<Win32Surface>(design, ContainerFor(design), *this);
  Win32Surface& surface = *box;
  controls_.push_back(std::move(box));
  return surface;
}

void Win32Form::SetVisible(bool visible) {
  if (visible == state_.visible) return;
  state_.visible = visible;
  if (!visible) {
    ::ShowWindow(window_, SW_HIDE);
    return;
  }
  ApplyTabOrder();
  ::ShowWindow(window_, SW_SHOW);
  ::UpdateWindow(window_);
}

void Win32Form::ApplyTabOrder() {
  std::vector<Win32Control*> stops;
  for (const auto& control : controls_) {
    if (control->State().tabIndex >= 0 && control->Window() != nullptr) {
      stops.push_back(control.get());
    }
  }
  std::stable_sort(stops.begin(), stops.end(), [](const Win32Control* a, const Win32Control* b) {
    return a->State().tabIndex < b->State().tabIndex;
  });
  HWND after = HWND_TOP;
  for (Win32Control* stop : stops) {
    ::SetWindowPos(stop->Window(), after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    after = stop->Window();
  }
  const auto first = std::find_if(stops.begin(), stops.end(), [](const Win32Control* stop) {
    return ::IsWindowEnabled(stop->Window()) && ::IsWindowVisible(stop->Window());
  });
  if (first != stops.end()) ::SetFocus((*first)->Window());
}

RECT Win32Form::OuterRect() const {
  RECT outer{};
  ::GetWindowRect(window_, &outer);
  return outer;
}

void Win32Form::Move(int left, int top, int width, int height) {
  ::MoveWindow(window_, TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width),
               TwipsToPixels(height), TRUE);
}

int Win32Form::Left() const {
  return PixelsToTwips(OuterRect().left);
}
int Win32Form::Top() const {
  return PixelsToTwips(OuterRect().top);
}
int Win32Form::Width() const {
  const RECT r = OuterRect();
  return PixelsToTwips(r.right - r.left);
}
int Win32Form::Height() const {
  const RECT r = OuterRect();
  return PixelsToTwips(r.bottom - r.top);
}

LRESULT Win32Form::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_TIMER:
      for (const auto& control : controls_) {
        if (control->Kind() == ui::Kind::Timer && control->TimerId() == wParam) {
          control->Tick();
          break;
        }
      }
      return 0;
    case WM_CLOSE:
      ::DestroyWindow(window_);
      return 0;
    case WM_DESTROY:
      widgets_.FormClosed();
      return 0;
    default:
      return Win32Surface::Handle(message, wParam, lParam);
  }
}

}  // namespace lyn::win32
