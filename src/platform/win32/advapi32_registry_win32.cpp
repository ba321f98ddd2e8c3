#include "platform/win32/advapi32_registry_win32.h"

// After the seam's headers: the platform's macros would rename their names.
#include <windows.h>

namespace lyn::win32 {
namespace {

::HKEY Native(win::HKEY key) {
  return reinterpret_cast<::HKEY>(key);
}

// Stores an opened key in the seam's form; the platform leaves it untouched
// when the call fails. The key is taken by reference: it is read after the
// call that fills it, whatever order the arguments are evaluated in.
win::LONG Opened(win::LONG result, const ::HKEY& key, win::HKEY* out) {
  if (out != nullptr && result == 0) *out = reinterpret_cast<win::HKEY>(key);
  return result;
}

}  // namespace

win::LONG Win32Advapi32Registry::RegOpenKeyA(win::HKEY key, win::LPCSTR subKey, win::HKEY* result) {
  ::HKEY opened = nullptr;
  return Opened(::RegOpenKeyA(Native(key), subKey, result != nullptr ? &opened : nullptr), opened,
                result);
}

win::LONG Win32Advapi32Registry::RegOpenKeyExA(win::HKEY key, win::LPCSTR subKey,
                                               win::DWORD options, win::REGSAM desired,
                                               win::HKEY* result) {
  ::HKEY opened = nullptr;
  return Opened(
      ::RegOpenKeyExA(Native(key), subKey, options, desired, result != nullptr ? &opened : nullptr),
      opened, result);
}

win::LONG Win32Advapi32Registry::RegCreateKeyA(win::HKEY key, win::LPCSTR subKey,
                                               win::HKEY* result) {
  ::HKEY opened = nullptr;
  return Opened(::RegCreateKeyA(Native(key), subKey, result != nullptr ? &opened : nullptr), opened,
                result);
}

win::LONG Win32Advapi32Registry::RegQueryValueExA(win::HKEY key, win::LPCSTR valueName,
                                                  win::DWORD* reserved, win::DWORD* type,
                                                  win::BYTE* data, win::DWORD* size) {
  return ::RegQueryValueExA(Native(key), valueName, reinterpret_cast<::DWORD*>(reserved),
                            reinterpret_cast<::DWORD*>(type), data,
                            reinterpret_cast<::DWORD*>(size));
}

win::LONG Win32Advapi32Registry::RegSetValueExA(win::HKEY key, win::LPCSTR valueName,
                                                win::DWORD reserved, win::DWORD type,
                                                const win::BYTE* data, win::DWORD size) {
  return ::RegSetValueExA(Native(key), valueName, reserved, type, data, size);
}

win::LONG Win32Advapi32Registry::RegDeleteKeyA(win::HKEY key, win::LPCSTR subKey) {
  return ::RegDeleteKeyA(Native(key), subKey);
}

win::LONG Win32Advapi32Registry::RegCloseKey(win::HKEY key) {
  return ::RegCloseKey(Native(key));
}

}  // namespace lyn::win32
