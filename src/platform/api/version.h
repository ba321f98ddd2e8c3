// version.dll: reading a file's version resource.
#pragma once

#include "platform/api/win_types.h"

namespace lyn::win {

// VS_FIXEDFILEINFO, the 52-byte fixed part of a version resource.
struct VS_FIXEDFILEINFO {
  DWORD dwSignature;
  DWORD dwStrucVersion;
  DWORD dwFileVersionMS;
  DWORD dwFileVersionLS;
  DWORD dwProductVersionMS;
  DWORD dwProductVersionLS;
  DWORD dwFileFlagsMask;
  DWORD dwFileFlags;
  DWORD dwFileOS;
  DWORD dwFileType;
  DWORD dwFileSubtype;
  DWORD dwFileDateMS;
  DWORD dwFileDateLS;
};
static_assert(sizeof(VS_FIXEDFILEINFO) == 52);

constexpr DWORD VS_FFI_SIGNATURE = 0xFEEF04BD;

class Version {
 public:
  virtual ~Version() = default;

  virtual DWORD GetFileVersionInfoSizeA(LPCSTR path, DWORD* handle) = 0;
  virtual BOOL GetFileVersionInfoA(LPCSTR path, DWORD handle, DWORD size, LPVOID data) = 0;
  virtual BOOL VerQueryValueA(const void* block, LPCSTR subBlock, LPVOID* value, UINT* length) = 0;
};

}  // namespace lyn::win
