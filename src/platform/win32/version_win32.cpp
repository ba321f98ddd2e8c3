#include "platform/win32/version_win32.h"

#include "platform/win32/win_records.h"

namespace lyn::win32 {

win::DWORD Win32Version::GetFileVersionInfoSizeA(win::LPCSTR path, win::DWORD* handle) {
  return ::GetFileVersionInfoSizeA(path, AsReal<::DWORD>(handle));
}

win::BOOL Win32Version::GetFileVersionInfoA(win::LPCSTR path, win::DWORD handle, win::DWORD size,
                                            win::LPVOID data) {
  return ::GetFileVersionInfoA(path, handle, size, data);
}

win::BOOL Win32Version::VerQueryValueA(const void* block, win::LPCSTR subBlock, win::LPVOID* value,
                                       win::UINT* length) {
  return ::VerQueryValueA(block, subBlock, value, length);
}

}  // namespace lyn::win32
