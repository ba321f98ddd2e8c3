// user32 of the real platform: every call forwarded as it is.
#pragma once

#include "platform/api/user32.h"

namespace lyn::win32 {

class Win32User32 final : public win::User32 {
 public:
  win::WORD RegisterClassA(const win::WNDCLASSA* windowClass) override;
  win::HWND CreateWindowExA(win::DWORD exStyle, win::LPCSTR className, win::LPCSTR windowName,
                            win::DWORD style) override;
  win::BOOL EnumWindows(win::WNDENUMPROC callback, win::LPARAM param) override;
  int GetClassNameA(win::HWND window, win::LPSTR buffer, int size) override;
  int GetWindowTextA(win::HWND window, win::LPSTR buffer, int size) override;
  win::BOOL SetWindowPos(win::HWND window, win::HWND insertAfter, int x, int y, int cx, int cy,
                         win::UINT flags) override;
  int GetSystemMetrics(int index) override;
  int MessageBoxA(win::HWND owner, win::LPCSTR text, win::LPCSTR caption, win::UINT type) override;
};

}  // namespace lyn::win32
