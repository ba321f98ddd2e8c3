// The registry operations on real Windows: each forwards to advapi32.
#pragma once

#include "platform/api/advapi32_registry.h"

namespace lyn::win32 {

class Win32Advapi32Registry : public win::Advapi32Registry {
 public:
  win::LONG RegOpenKeyA(win::HKEY key, win::LPCSTR subKey, win::HKEY* result) override;
  win::LONG RegOpenKeyExA(win::HKEY key, win::LPCSTR subKey, win::DWORD options,
                          win::REGSAM desired, win::HKEY* result) override;
  win::LONG RegCreateKeyA(win::HKEY key, win::LPCSTR subKey, win::HKEY* result) override;
  win::LONG RegQueryValueExA(win::HKEY key, win::LPCSTR valueName, win::DWORD* reserved,
                             win::DWORD* type, win::BYTE* data, win::DWORD* size) override;
  win::LONG RegSetValueExA(win::HKEY key, win::LPCSTR valueName, win::DWORD reserved,
                           win::DWORD type, const win::BYTE* data, win::DWORD size) override;
  win::LONG RegDeleteKeyA(win::HKEY key, win::LPCSTR subKey) override;
  win::LONG RegCloseKey(win::HKEY key) override;
};

}  // namespace lyn::win32
