// The user32 operations the program calls: top-level windows, metrics and
// modal message boxes.
#pragma once

#include "platform/api/win_types.h"

namespace lyn::win {

using WNDENUMPROC = BOOL(LYN_CALLBACK*)(HWND window, LPARAM param);

constexpr int SM_CXSCREEN = 0;
constexpr int SM_CYSCREEN = 1;
constexpr int SM_TABLETPC = 86;
constexpr int SM_MEDIACENTER = 87;
constexpr int SM_STARTER = 88;
constexpr int SM_SERVERR2 = 89;

constexpr HWND HWND_TOPMOST = static_cast<HWND>(-1);
constexpr UINT SWP_NOSIZE = 0x0001;
constexpr UINT SWP_NOMOVE = 0x0002;

constexpr UINT MB_OK = 0x00000000;
constexpr UINT MB_YESNO = 0x00000004;
constexpr UINT MB_ICONSTOP = 0x00000010;
constexpr UINT MB_ICONQUESTION = 0x00000020;
constexpr UINT MB_ICONEXCLAMATION = 0x00000030;
constexpr UINT MB_ICONINFORMATION = 0x00000040;
constexpr UINT MB_TYPEMASK = 0x0000000F;
constexpr UINT MB_ICONMASK = 0x000000F0;
constexpr int IDOK = 1;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

// The fields of WNDCLASSA the program fills; the rest are zero in its use.
struct WNDCLASSA {
  LPCSTR lpszClassName;
};

class User32 {
 public:
  virtual ~User32() = default;

  virtual WORD RegisterClassA(const WNDCLASSA* windowClass) = 0;
  // Creates a top-level window; style 0 keeps it hidden.
  virtual HWND CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style) = 0;
  virtual BOOL EnumWindows(WNDENUMPROC callback, LPARAM param) = 0;
  virtual int GetClassNameA(HWND window, LPSTR buffer, int size) = 0;
  virtual int GetWindowTextA(HWND window, LPSTR buffer, int size) = 0;
  virtual BOOL SetWindowPos(HWND window, HWND insertAfter, int x, int y, int cx, int cy,
                            UINT flags) = 0;
  virtual int GetSystemMetrics(int index) = 0;
  virtual int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) = 0;
};

}  // namespace lyn::win
