// version.dll of the real platform: every call forwarded as it is.
#pragma once

#include "platform/api/version.h"

namespace lyn::win32 {

class Win32Version final : public win::Version {
 public:
  win::DWORD GetFileVersionInfoSizeA(win::LPCSTR path, win::DWORD* handle) override;
  win::BOOL GetFileVersionInfoA(win::LPCSTR path, win::DWORD handle, win::DWORD size,
                                win::LPVOID data) override;
  win::BOOL VerQueryValueA(const void* block, win::LPCSTR subBlock, win::LPVOID* value,
                           win::UINT* length) override;
};

}  // namespace lyn::win32
