#include "platform/win32/shell32_win32.h"

#include "platform/win32/win_records.h"

namespace lyn::win32 {

win::HRESULT Win32Shell32::SHGetFolderPathA(win::HWND owner, int folder, win::HANDLE token,
                                            win::DWORD flags, win::LPSTR path) {
  return ::SHGetFolderPathA(RealWindow(owner), folder, RealHandle(token), flags, path);
}

int Win32Shell32::SHFileOperationA(win::SHFILEOPSTRUCTA* operation) {
  return ::SHFileOperationA(AsReal<::SHFILEOPSTRUCTA>(operation));
}

}  // namespace lyn::win32
