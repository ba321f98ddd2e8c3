#include "platform/win32/ui/surface_win32.h"

#include <cmath>

#include "platform/win32/ui/form_win32.h"
#include "platform/win32/ui/gdi_objects.h"

namespace lyn::win32 {
namespace {

// Names the surface a window belongs to once the surface is whole. Placing
// the window while it is being made sends messages to its procedure, which
// must not reach the half-made surface: those go to the default procedure.
constexpr const char* kSurfaceProperty = "LYNSurface";

HWND CreatePictureBoxWindow(const ui::ControlDesign& design, HWND parent, int id) {
  Win32Surface::RegisterClasses();
  const DWORD style = WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS |
                      (design.visible ? WS_VISIBLE : 0) | (design.enabled ? 0 : WS_DISABLED);
  return ::CreateWindowExA(
      0, kPictureBoxClassName, "", style, TwipsToPixels(design.left), TwipsToPixels(design.top),
      TwipsToPixels(design.width), TwipsToPixels(design.height), parent,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ::GetModuleHandleA(nullptr), nullptr);
}

}  // namespace

Win32Surface::Win32Surface(const ui::ControlDesign& design, Win32Surface& container,
                           Win32Form& form)
    : Win32Control(design, &container, form,
                   CreatePictureBoxWindow(design, container.Window(), form.NextControlId())) {
  FitBackImage();
  ::SetPropA(window_, kSurfaceProperty, this);
}

Win32Surface::Win32Surface(const ui::ControlDesign& design, Win32Form& form, HWND window)
    : Win32Control(design, nullptr, form, window) {
  FitBackImage();
  ::SetPropA(window_, kSurfaceProperty, this);
}

Win32Surface::~Win32Surface() {
  ::RemovePropA(window_, kSurfaceProperty);
}

void Win32Surface::RegisterClasses() {
  static const bool registered = [] {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = &Win32Surface::WindowProc;
    windowClass.hInstance = ::GetModuleHandleA(nullptr);
    windowClass.hCursor = ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    windowClass.lpszClassName = kFormClassName;
    ::RegisterClassA(&windowClass);
    windowClass.lpszClassName = kPictureBoxClassName;
    ::RegisterClassA(&windowClass);
    return true;
  }();
  static_cast<void>(registered);
}

void Win32Surface::FitBackImage() {
  RECT client{};
  ::GetClientRect(window_, &client);
  if (image_ && image_->Width() == client.right && image_->Height() == client.bottom) return;
  const COLORREF background = state_.hasBackColor ? state_.backColor : ::GetSysColor(COLOR_BTNFACE);
  image_ = std::make_unique<BackImage>(client.right, client.bottom, background);
}

void Win32Surface::Place() {
  Win32Control::Place();
  FitBackImage();
}

double Win32Surface::ScaleWidth() const {
  return scale_ == ui::ScaleMode::Pixels ? image_->Width() : PixelsToTwips(image_->Width());
}

double Win32Surface::ScaleHeight() const {
  return scale_ == ui::ScaleMode::Pixels ? image_->Height() : PixelsToTwips(image_->Height());
}

int Win32Surface::ToPixels(double units) const {
  const int rounded = static_cast<int>(std::lround(units));
  return scale_ == ui::ScaleMode::Pixels ? rounded : TwipsToPixels(rounded);
}

void Win32Surface::Line(double x1, double y1, double x2, double y2, ui::COLORREF color) {
  HDC dc = image_->Dc();
  HPEN pen = ::CreatePen(drawStyle_, drawWidth_, color);
  HGDIOBJ previous = ::SelectObject(dc, pen);
  const int mode = ::SetROP2(dc, drawMode_);
  ::MoveToEx(dc, ToPixels(x1), ToPixels(y1), nullptr);
  ::LineTo(dc, ToPixels(x2), ToPixels(y2));
  ::SetROP2(dc, mode);
  ::SelectObject(dc, previous);
  ::DeleteObject(pen);
}

void Win32Surface::Refresh() {
  ::RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

LRESULT Win32Surface::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT paint{};
      HDC dc = ::BeginPaint(window_, &paint);
      image_->CopyTo(dc, paint.rcPaint);
      ::EndPaint(window_, &paint);
      return 0;
    }
    case WM_DRAWITEM: {
      const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (Win32Control* control = Of(item.hwndItem)) control->Draw(item, *image_);
      return TRUE;
    }
    case WM_COMMAND:
      // BN_CLICKED and STN_CLICKED: a click on an option button, a push
      // button or a label.
      if (HIWORD(wParam) == BN_CLICKED) {
        if (Win32Control* control = Of(reinterpret_cast<HWND>(lParam))) control->OnClicked();
      }
      return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
      if (Win32Control* control = Of(reinterpret_cast<HWND>(lParam))) {
        if (HBRUSH brush = control->Colours(reinterpret_cast<HDC>(wParam))) {
          return reinterpret_cast<LRESULT>(brush);
        }
      }
      break;
    default:
      break;
  }
  return ::DefWindowProcA(window_, message, wParam, lParam);
}

LRESULT CALLBACK Win32Surface::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* surface = static_cast<Win32Surface*>(::GetPropA(window, kSurfaceProperty));
  if (surface == nullptr) return ::DefWindowProcA(window, message, wParam, lParam);
  return surface->Handle(message, wParam, lParam);
}

}  // namespace lyn::win32
