// The advapi32 registry operations the program calls, with the published
// argument meanings and results: every operation answers with a LONG error
// code, ERROR_SUCCESS (0) when it worked.
#pragma once

#include "platform/api/win_types.h"

namespace lyn::win {

using HKEY = std::uintptr_t;
using REGSAM = DWORD;

// The predefined root keys. Their handle values are 32-bit negative numbers,
// sign-extended on 64-bit systems.
constexpr HKEY PredefinedKey(DWORD value) {
  return static_cast<HKEY>(static_cast<std::intptr_t>(static_cast<LONG>(value)));
}
constexpr HKEY HKEY_CLASSES_ROOT = PredefinedKey(0x80000000);
constexpr HKEY HKEY_CURRENT_USER = PredefinedKey(0x80000001);
constexpr HKEY HKEY_LOCAL_MACHINE = PredefinedKey(0x80000002);
constexpr HKEY HKEY_USERS = PredefinedKey(0x80000003);
constexpr HKEY HKEY_CURRENT_CONFIG = PredefinedKey(0x80000005);

// Value types.
constexpr DWORD REG_NONE = 0;
constexpr DWORD REG_SZ = 1;
constexpr DWORD REG_EXPAND_SZ = 2;
constexpr DWORD REG_BINARY = 3;
constexpr DWORD REG_DWORD = 4;
constexpr DWORD REG_MULTI_SZ = 7;

// Access rights on keys.
constexpr REGSAM KEY_QUERY_VALUE = 0x0001;
constexpr REGSAM KEY_SET_VALUE = 0x0002;
constexpr REGSAM KEY_CREATE_SUB_KEY = 0x0004;
constexpr REGSAM KEY_ENUMERATE_SUB_KEYS = 0x0008;
constexpr REGSAM KEY_WOW64_64KEY = 0x0100;
constexpr REGSAM KEY_WOW64_32KEY = 0x0200;
constexpr REGSAM KEY_READ = 0x00020019;
constexpr REGSAM KEY_WRITE = 0x00020006;
constexpr REGSAM KEY_ALL_ACCESS = 0x000F003F;
constexpr REGSAM MAXIMUM_ALLOWED = 0x02000000;

// Result codes the registry operations give besides those in win_types.h.
constexpr LONG ERROR_BAD_PATHNAME = 161;
constexpr LONG ERROR_MORE_DATA = 234;
constexpr LONG ERROR_KEY_DELETED = 1018;

class Advapi32Registry {
 public:
  virtual ~Advapi32Registry() = default;

  virtual LONG RegOpenKeyA(HKEY key, LPCSTR subKey, HKEY* result) = 0;
  virtual LONG RegOpenKeyExA(HKEY key, LPCSTR subKey, DWORD options, REGSAM desired,
                             HKEY* result) = 0;
  virtual LONG RegCreateKeyA(HKEY key, LPCSTR subKey, HKEY* result) = 0;
  virtual LONG RegQueryValueExA(HKEY key, LPCSTR valueName, DWORD* reserved, DWORD* type,
                                BYTE* data, DWORD* size) = 0;
  virtual LONG RegSetValueExA(HKEY key, LPCSTR valueName, DWORD reserved, DWORD type,
                              const BYTE* data, DWORD size) = 0;
  virtual LONG RegDeleteKeyA(HKEY key, LPCSTR subKey) = 0;
  virtual LONG RegCloseKey(HKEY key) = 0;
};

}  // namespace lyn::win
