#include "platform/win32/ui/control_win32.h"

#include <stdexcept>
#include <vector>

#include "platform/win32/ui/back_image.h"
#include "platform/win32/ui/form_win32.h"
#include "platform/win32/ui/gdi_objects.h"
#include "platform/win32/ui/surface_win32.h"
#include "platform/win32/ui/window_coverage.h"

namespace lyn::win32 {
namespace {

struct WindowKind {
  const char* className;
  DWORD style;
  DWORD exStyle;
};

// The standard class and styles that show a control of each kind. Labels and
// images draw themselves over their container's back image, so that they
// look transparent as designed; images also carry SS_REALSIZEIMAGE, which
// owner drawing ignores, so that tools can tell them from labels.
WindowKind WindowKindOf(const ui::ControlDesign& design) {
  switch (design.kind) {
    case ui::Kind::Label:
    case ui::Kind::Image:
      return {"STATIC",
              static_cast<DWORD>(SS_OWNERDRAW | SS_NOTIFY |
                                 (design.kind == ui::Kind::Image ? SS_REALSIZEIMAGE : 0)),
              0};
    case ui::Kind::OptionButton:
      return {"BUTTON", BS_RADIOBUTTON, 0};
    case ui::Kind::CommandButton:
      return {"BUTTON", BS_PUSHBUTTON, 0};
    case ui::Kind::TextBox:
      return {"EDIT",
              static_cast<DWORD>((design.multiLine ? ES_MULTILINE | ES_AUTOVSCROLL : 0) |
                                 (design.readOnly ? ES_READONLY : 0) |
                                 (design.verticalScrollBar ? WS_VSCROLL : 0)),
              WS_EX_CLIENTEDGE};
    case ui::Kind::Form:
    case ui::Kind::PictureBox:
    case ui::Kind::Timer:
      break;
  }
  throw std::logic_error(design.name + " has no standard control");
}

HWND CreateControlWindow(const ui::ControlDesign& design, HWND parent, int id) {
  if (design.kind == ui::Kind::Timer) return nullptr;
  const WindowKind kind = WindowKindOf(design);
  const DWORD style = WS_CHILD | WS_CLIPSIBLINGS | kind.style |
                      (design.tabIndex >= 0 ? WS_TABSTOP : 0) | (design.visible ? WS_VISIBLE : 0) |
                      (design.enabled ? 0 : WS_DISABLED);
  return ::CreateWindowExA(
      kind.exStyle, kind.className, design.caption.c_str(), style, TwipsToPixels(design.left),
      TwipsToPixels(design.top), TwipsToPixels(design.width), TwipsToPixels(design.height), parent,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ::GetModuleHandleA(nullptr), nullptr);
}

}  // namespace

Win32Control::Win32Control(const ui::ControlDesign& design, Win32Surface& container,
                           Win32Form& form)
    : Win32Control(design, &container, form,
                   CreateControlWindow(design, container.Window(), form.NextControlId())) {}

Win32Control::Win32Control(const ui::ControlDesign& design, Win32Surface* container,
                           Win32Form& form, HWND window)
    : state_(design), container_(container), form_(form) {
  if (state_.hasBackColor) background_ = ::CreateSolidBrush(state_.backColor);
  if (state_.picture != nullptr && state_.kind == ui::Kind::Image) {
    picture_ = CreatePictureBitmap(*state_.picture);
  }
  if (state_.kind == ui::Kind::Timer) {
    UpdateTimer();
    return;
  }
  Attach(window);
  // Each control is drawn over those created before it, as designed.
  ::SetWindowPos(window_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  if (state_.kind == ui::Kind::OptionButton && state_.value) {
    ::SendMessageA(window_, BM_SETCHECK, BST_CHECKED, 0);
  }
}

Win32Control::~Win32Control() {
  if (timerId_ != 0) ::KillTimer(form_.Window(), timerId_);
  if (nameAtom_ != 0) {
    ::RemovePropA(window_, kNameProperty);
    ::GlobalDeleteAtom(nameAtom_);
  }
  if (font_ != nullptr) DeleteDesignFont(font_);
  if (picture_ != nullptr) ::DeleteObject(picture_);
  if (background_ != nullptr) ::DeleteObject(background_);
}

void Win32Control::Attach(HWND window) {
  if (window == nullptr) throw std::runtime_error("cannot create the window of " + state_.name);
  window_ = window;
  ::SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  nameAtom_ = ::GlobalAddAtomA(state_.name.c_str());
  ::SetPropA(window_, kNameProperty, reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(nameAtom_)));
  // Surfaces draw no text; their window procedure must not run before the
  // surface is whole, so they get no message here.
  if (state_.kind == ui::Kind::Form || state_.kind == ui::Kind::PictureBox) return;
  font_ = CreateDesignFont(state_.font);
  ::SendMessageA(window_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
}

Win32Control* Win32Control::Of(HWND window) {
  if (window == nullptr || ::GetPropA(window, kNameProperty) == nullptr) return nullptr;
  return reinterpret_cast<Win32Control*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
}

bool Win32Control::Reachable() const {
  if (window_ == nullptr) return false;
  for (HWND w = window_; w != nullptr && w != form_.Window(); w = ::GetParent(w)) {
    if (!::IsWindowEnabled(w)) return false;
  }
  return !UncoveredArea(window_, form_.Window()).empty();
}

void Win32Control::SetCaption(const std::string& caption) {
  state_.caption = caption;
  if (window_ == nullptr) return;
  ::SetWindowTextA(window_, caption.c_str());
  ::InvalidateRect(window_, nullptr, FALSE);
}

void Win32Control::SetEnabled(bool enabled) {
  state_.enabled = enabled;
  if (state_.kind == ui::Kind::Timer) {
    UpdateTimer();
  } else {
    ::EnableWindow(window_, enabled ? TRUE : FALSE);
  }
}

void Win32Control::SetVisible(bool visible) {
  state_.visible = visible;
  if (window_ != nullptr) ::ShowWindow(window_, visible ? SW_SHOWNA : SW_HIDE);
}

void Win32Control::SetValue(bool selected) {
  if (state_.kind != ui::Kind::OptionButton) {
    throw std::logic_error(state_.name + " is not an option button");
  }
  if (selected == state_.value) return;
  if (selected) {
    for (const auto& other : form_.Controls()) {
      if (other.get() != this && other->Kind() == ui::Kind::OptionButton &&
          other->container_ == container_ && other->state_.value) {
        other->state_.value = false;
        ::SendMessageA(other->window_, BM_SETCHECK, BST_UNCHECKED, 0);
      }
    }
  }
  state_.value = selected;
  ::SendMessageA(window_, BM_SETCHECK, selected ? BST_CHECKED : BST_UNCHECKED, 0);
  if (selected) RaiseHandler();
}

void Win32Control::Move(int left, int top, int width, int height) {
  state_.left = left;
  state_.top = top;
  state_.width = width;
  state_.height = height;
  Place();
}

void Win32Control::Place() {
  if (window_ == nullptr) return;
  ::MoveWindow(window_, TwipsToPixels(state_.left), TwipsToPixels(state_.top),
               TwipsToPixels(state_.width), TwipsToPixels(state_.height), TRUE);
}

int Win32Control::Left() const {
  return state_.left;
}
int Win32Control::Top() const {
  return state_.top;
}
int Win32Control::Width() const {
  return state_.width;
}
int Win32Control::Height() const {
  return state_.height;
}

void Win32Control::SetContainer(ui::Control& pictureBox) {
  auto* target = dynamic_cast<Win32Surface*>(&pictureBox);
  if (container_ == nullptr || target == nullptr || target->Kind() != ui::Kind::PictureBox ||
      &target->Form() != &form_) {
    throw std::logic_error(state_.name + " cannot be placed in " + pictureBox.Name());
  }
  container_ = target;
  state_.container = target->Name();
  if (window_ != nullptr) ::SetParent(window_, target->Window());
  Place();
}

void Win32Control::OnClicked() {
  if (state_.kind == ui::Kind::OptionButton) {
    SetValue(true);
  } else {
    RaiseHandler();
  }
}

void Win32Control::Tick() {
  RaiseHandler();
}

void Win32Control::RaiseHandler() {
  if (handler_) handler_();
}

void Win32Control::UpdateTimer() {
  const bool running = state_.enabled && state_.interval > 0;
  if (running && timerId_ == 0) {
    timerId_ = form_.NextTimerId();
    ::SetTimer(form_.Window(), timerId_, static_cast<UINT>(state_.interval), nullptr);
  } else if (!running && timerId_ != 0) {
    ::KillTimer(form_.Window(), timerId_);
    timerId_ = 0;
  }
}

void Win32Control::Draw(const DRAWITEMSTRUCT& item, const BackImage& behind) const {
  HWND parent = ::GetParent(window_);
  RECT place = item.rcItem;
  ::MapWindowPoints(window_, parent, reinterpret_cast<POINT*>(&place), 2);
  behind.CopyBehind(item.hDC, place);
  // A transparent label shows the labels and images below it too, bottom
  // first; the windows above it are clipped away by the window system.
  std::vector<const Win32Control*> below;
  for (HWND w = ::GetWindow(window_, GW_HWNDNEXT); w != nullptr; w = ::GetWindow(w, GW_HWNDNEXT)) {
    const Win32Control* other = Of(w);
    if (other != nullptr && ::IsWindowVisible(w) &&
        (other->Kind() == ui::Kind::Label || other->Kind() == ui::Kind::Image)) {
      below.push_back(other);
    }
  }
  for (auto it = below.rbegin(); it != below.rend(); ++it) {
    RECT area{};
    ::GetClientRect((*it)->window_, &area);
    ::MapWindowPoints((*it)->window_, window_, reinterpret_cast<POINT*>(&area), 2);
    RECT overlap{};
    if (::IntersectRect(&overlap, &area, &item.rcItem)) (*it)->DrawContent(item.hDC, area);
  }
  DrawContent(item.hDC, item.rcItem);
}

void Win32Control::DrawContent(HDC dc, const RECT& area) const {
  if (state_.kind == ui::Kind::Image && picture_ != nullptr) {
    HDC pictureDc = ::CreateCompatibleDC(dc);
    HGDIOBJ previous = ::SelectObject(pictureDc, picture_);
    const int width = state_.stretch ? area.right - area.left : state_.picture->width;
    const int height = state_.stretch ? area.bottom - area.top : state_.picture->height;
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    ::AlphaBlend(dc, area.left, area.top, width, height, pictureDc, 0, 0, state_.picture->width,
                 state_.picture->height, blend);
    ::SelectObject(pictureDc, previous);
    ::DeleteDC(pictureDc);
    return;
  }
  if (state_.kind != ui::Kind::Label) return;
  RECT text = area;
  if (!state_.transparent && background_ != nullptr) ::FillRect(dc, &text, background_);
  HGDIOBJ previous = ::SelectObject(dc, font_);
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, state_.hasForeColor ? state_.foreColor : ::GetSysColor(COLOR_BTNTEXT));
  const UINT align = state_.align == ui::Align::Centre ? DT_CENTER : DT_LEFT;
  ::DrawTextA(dc, state_.caption.c_str(), -1, &text, DT_WORDBREAK | align);
  ::SelectObject(dc, previous);
}

HBRUSH Win32Control::Colours(HDC dc) const {
  if (background_ == nullptr) return nullptr;
  ::SetBkColor(dc, state_.backColor);
  if (state_.hasForeColor) ::SetTextColor(dc, state_.foreColor);
  return background_;
}

}  // namespace lyn::win32
