#include "platform/win32/user32_win32.h"

#include "platform/win32/win_records.h"

namespace lyn::win32 {
namespace {

// The seam's callback and its parameter, carried through the platform's
// own parameter: the platform calls the adapter with its window type, the
// adapter calls the program's callback with the seam's.
struct EnumCall {
  win::WNDENUMPROC callback;
  win::LPARAM param;
};

::BOOL CALLBACK EnumAdapter(::HWND window, ::LPARAM param) {
  const auto* call = reinterpret_cast<const EnumCall*>(param);
  return call->callback(SeamWindow(window), call->param);
}

}  // namespace

win::WORD Win32User32::RegisterClassA(const win::WNDCLASSA* windowClass) {
  ::WNDCLASSA real{};
  real.lpfnWndProc = ::DefWindowProcA;
  real.hInstance = ::GetModuleHandleA(nullptr);
  real.lpszClassName = windowClass->lpszClassName;
  return ::RegisterClassA(&real);
}

win::HWND Win32User32::CreateWindowExA(win::DWORD exStyle, win::LPCSTR className,
                                       win::LPCSTR windowName, win::DWORD style) {
  return SeamWindow(::CreateWindowExA(exStyle, className, windowName, style, 0, 0, 0, 0, nullptr,
                                      nullptr, ::GetModuleHandleA(nullptr), nullptr));
}

win::BOOL Win32User32::EnumWindows(win::WNDENUMPROC callback, win::LPARAM param) {
  EnumCall call{callback, param};
  return ::EnumWindows(&EnumAdapter, reinterpret_cast<::LPARAM>(&call));
}

int Win32User32::GetClassNameA(win::HWND window, win::LPSTR buffer, int size) {
  return ::GetClassNameA(RealWindow(window), buffer, size);
}

int Win32User32::GetWindowTextA(win::HWND window, win::LPSTR buffer, int size) {
  return ::GetWindowTextA(RealWindow(window), buffer, size);
}

win::BOOL Win32User32::SetWindowPos(win::HWND window, win::HWND insertAfter, int x, int y, int cx,
                                    int cy, win::UINT flags) {
  return ::SetWindowPos(RealWindow(window), RealWindow(insertAfter), x, y, cx, cy, flags);
}

int Win32User32::GetSystemMetrics(int index) {
  return ::GetSystemMetrics(index);
}

int Win32User32::MessageBoxA(win::HWND owner, win::LPCSTR text, win::LPCSTR caption,
                             win::UINT type) {
  return ::MessageBoxA(RealWindow(owner), text, caption, type);
}

}  // namespace lyn::win32
