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
  ::ShowWindow(window_, SW_SHOW);
  ::UpdateWindow(window_);
  if (Win32Control* first = NextReachable(TabStops(), true)) ::SetFocus(first->Window());
}

std::vector<Win32Control*> Win32Form::TabStops() const {
  // Of a group of option buttons only the selected one is a tab stop, as in
  // a dialog: the arrows move within the group. (An option button given the
  // focus while cleared would select itself.)
  const auto otherSelected = [this](const Win32Control& option) {
    return std::any_of(controls_.begin(), controls_.end(), [&](const auto& other) {
      return other.get() != &option && other->Kind() == ui::Kind::OptionButton &&
             other->Container() == option.Container() && other->Value();
    });
  };
  std::vector<Win32Control*> stops;
  for (const auto& control : controls_) {
    if (control->State().tabIndex < 0 || control->Window() == nullptr) continue;
    if (control->Kind() == ui::Kind::OptionButton && !control->Value() && otherSelected(*control)) {
      continue;
    }
    stops.push_back(control.get());
  }
  std::stable_sort(stops.begin(), stops.end(), [](const Win32Control* a, const Win32Control* b) {
    return a->State().tabIndex < b->State().tabIndex;
  });
  return stops;
}

Win32Control* Win32Form::NextReachable(const std::vector<Win32Control*>& candidates, bool forward) {
  const auto count = static_cast<long>(candidates.size());
  HWND focus = ::GetFocus();
  const long at = std::find_if(candidates.begin(), candidates.end(),
                               [focus](const Win32Control* c) { return c->Window() == focus; }) -
                  candidates.begin();
  const long start = at < count ? at : (forward ? -1 : count);
  for (long step = 1; step <= count; ++step) {
    const long i = ((start + (forward ? step : -step)) % count + count) % count;
    if (candidates[static_cast<std::size_t>(i)]->Reachable()) {
      return candidates[static_cast<std::size_t>(i)];
    }
  }
  return nullptr;
}

bool Win32Form::HandleKey(const MSG& message) {
  const bool down = message.message == WM_KEYDOWN;
  if (!down && message.message != WM_KEYUP && message.message != WM_CHAR) return false;
  const auto key = static_cast<UINT>(message.wParam);
  if (key == VK_SPACE || key == VK_RETURN) {
    const Win32Control* target = Win32Control::Of(message.hwnd);
    return target != nullptr && !target->Reachable();
  }
  if (!down) return false;
  if (key == VK_TAB) {
    const bool back = (::GetKeyState(VK_SHIFT) & 0x8000) != 0;
    if (Win32Control* next = NextReachable(TabStops(), !back)) ::SetFocus(next->Window());
    return true;
  }
  if (key != VK_LEFT && key != VK_RIGHT && key != VK_UP && key != VK_DOWN) return false;
  const Win32Control* focus = Win32Control::Of(::GetFocus());
  if (focus == nullptr || focus->Kind() != ui::Kind::OptionButton) return false;
  std::vector<Win32Control*> group;
  for (const auto& control : controls_) {
    if (control->Kind() == ui::Kind::OptionButton && control->State().tabIndex >= 0 &&
        control->Container() == focus->Container()) {
      group.push_back(control.get());
    }
  }
  std::stable_sort(group.begin(), group.end(), [](const auto* a, const auto* b) {
    return a->State().tabIndex < b->State().tabIndex;
  });
  if (Win32Control* next = NextReachable(group, key == VK_RIGHT || key == VK_DOWN)) {
    ::SetFocus(next->Window());
    next->OnClicked();
  }
  return true;
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
