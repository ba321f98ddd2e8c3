// The seam's re-declared types and records beside the real ones: the
// backend passes our records to the platform by address, so each must have
// the published layout, checked here member by member.
#pragma once

#include <cstddef>

#include "platform/api/shell32.h"
#include "platform/api/version.h"
#include "platform/api/win_types.h"
#include "platform/win32/win_sdk.h"

namespace lyn::win32 {

// Same size and place of one member in our record and the real one.
#define LYN_SAME_MEMBER(ours, theirs, member)                         \
  static_assert(offsetof(ours, member) == offsetof(theirs, member) && \
                sizeof(ours::member) == sizeof(theirs::member))

static_assert(sizeof(win::BOOL) == sizeof(::BOOL) && sizeof(win::DWORD) == sizeof(::DWORD) &&
              sizeof(win::UINT) == sizeof(::UINT) && sizeof(win::LONG) == sizeof(::LONG) &&
              sizeof(win::HANDLE) == sizeof(::HANDLE) && sizeof(win::HWND) == sizeof(::HWND) &&
              sizeof(win::LPARAM) == sizeof(::LPARAM) && sizeof(win::WCHAR) == sizeof(::WCHAR));

static_assert(sizeof(win::OSVERSIONINFOA) == sizeof(::OSVERSIONINFOA));
static_assert(sizeof(win::OSVERSIONINFOEXA) == sizeof(::OSVERSIONINFOEXA));
LYN_SAME_MEMBER(win::OSVERSIONINFOEXA, ::OSVERSIONINFOEXA, szCSDVersion);
LYN_SAME_MEMBER(win::OSVERSIONINFOEXA, ::OSVERSIONINFOEXA, wServicePackMajor);
LYN_SAME_MEMBER(win::OSVERSIONINFOEXA, ::OSVERSIONINFOEXA, wSuiteMask);
LYN_SAME_MEMBER(win::OSVERSIONINFOEXA, ::OSVERSIONINFOEXA, wProductType);

static_assert(sizeof(win::SYSTEM_INFO) == sizeof(::SYSTEM_INFO));
LYN_SAME_MEMBER(win::SYSTEM_INFO, ::SYSTEM_INFO, dwPageSize);
LYN_SAME_MEMBER(win::SYSTEM_INFO, ::SYSTEM_INFO, dwActiveProcessorMask);
LYN_SAME_MEMBER(win::SYSTEM_INFO, ::SYSTEM_INFO, dwNumberOfProcessors);
LYN_SAME_MEMBER(win::SYSTEM_INFO, ::SYSTEM_INFO, wProcessorRevision);

static_assert(sizeof(win::WIN32_FIND_DATAA) == sizeof(::WIN32_FIND_DATAA));
LYN_SAME_MEMBER(win::WIN32_FIND_DATAA, ::WIN32_FIND_DATAA, ftLastWriteTime);
LYN_SAME_MEMBER(win::WIN32_FIND_DATAA, ::WIN32_FIND_DATAA, nFileSizeLow);
LYN_SAME_MEMBER(win::WIN32_FIND_DATAA, ::WIN32_FIND_DATAA, cFileName);
LYN_SAME_MEMBER(win::WIN32_FIND_DATAA, ::WIN32_FIND_DATAA, cAlternateFileName);

static_assert(sizeof(win::FILETIME) == sizeof(::FILETIME));
static_assert(sizeof(win::SYSTEMTIME) == sizeof(::SYSTEMTIME));
LYN_SAME_MEMBER(win::SYSTEMTIME, ::SYSTEMTIME, wMilliseconds);

static_assert(sizeof(win::VS_FIXEDFILEINFO) == sizeof(::VS_FIXEDFILEINFO));

static_assert(sizeof(win::SHFILEOPSTRUCTA) == sizeof(::SHFILEOPSTRUCTA));
LYN_SAME_MEMBER(win::SHFILEOPSTRUCTA, ::SHFILEOPSTRUCTA, pFrom);
LYN_SAME_MEMBER(win::SHFILEOPSTRUCTA, ::SHFILEOPSTRUCTA, fFlags);
LYN_SAME_MEMBER(win::SHFILEOPSTRUCTA, ::SHFILEOPSTRUCTA, fAnyOperationsAborted);
LYN_SAME_MEMBER(win::SHFILEOPSTRUCTA, ::SHFILEOPSTRUCTA, lpszProgressTitle);

#undef LYN_SAME_MEMBER

// A seam handle or window as the platform's, and back.
inline ::HWND RealWindow(win::HWND window) {
  return reinterpret_cast<::HWND>(window);
}
inline ::HANDLE RealHandle(win::HANDLE handle) {
  return reinterpret_cast<::HANDLE>(handle);
}
inline win::HANDLE SeamHandle(::HANDLE handle) {
  return reinterpret_cast<win::HANDLE>(handle);
}
inline win::HWND SeamWindow(::HWND window) {
  return reinterpret_cast<win::HWND>(window);
}

// Our record as the platform's, by address.
template <typename Real, typename Ours>
Real* AsReal(Ours* record) {
  static_assert(sizeof(Real) == sizeof(Ours));
  return reinterpret_cast<Real*>(record);
}

}  // namespace lyn::win32
