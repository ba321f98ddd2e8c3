// shell32 and shfolder of the real platform: every call forwarded as it is.
#pragma once

#include "platform/api/shell32.h"

namespace lyn::win32 {

class Win32Shell32 final : public win::Shell32 {
 public:
  win::HRESULT SHGetFolderPathA(win::HWND owner, int folder, win::HANDLE token, win::DWORD flags,
                                win::LPSTR path) override;
  int SHFileOperationA(win::SHFILEOPSTRUCTA* operation) override;
};

}  // namespace lyn::win32
