// FileOwner: who owns a file, and which rights the current user has on it.
// The results of the last lookup and test stay in module-wide values
// (common/module_state.h).
#pragma once

#include <string>
#include <string_view>

#include "common/module_state.h"
#include "platform/api/platform.h"

namespace lyn {

// The four rights tested, as the file-specific generic rights.
constexpr win::DWORD kReadAccess = 0x00120089;
constexpr win::DWORD kWriteAccess = 0x00120116;
constexpr win::DWORD kExecuteAccess = 0x001200A0;
constexpr win::DWORD kAllAccess = 0x001F01FF;
// CheckAccess's answer when no test can be made.
constexpr win::DWORD kNoAccessTest = 0xFFFFFFFF;

// The owner's account name, "{UNKNOWN}" for an owner without an account
// name, or an empty text; sets OwnerName and OwnerDomain.
std::string GetFileOwner(Platform& platform, std::string_view path);

// The access mask granted to the current user of `desiredAccess` on the
// path: kNoAccessTest when no test can be made (not NTFS, a volume without
// access lists, a file whose security cannot be asked), 0 when the test fails
// part-way or the rights are not granted.
win::DWORD CheckAccess(Platform& platform, std::string_view path, win::DWORD desiredAccess);

// True when read, write, execute or all access is not granted on the path;
// sets the four granted flags.
bool RightsMissing(Platform& platform, std::string_view path);

}  // namespace lyn
