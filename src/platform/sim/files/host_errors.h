// The one table from the host's error numbers to the errors Windows gives
// for the same cause on a real disk.
#pragma once

#include "platform/api/win_types.h"

namespace lyn::sim {

constexpr win::DWORD ERROR_NOT_SAME_DEVICE = 17;
constexpr win::DWORD ERROR_GEN_FAILURE = 31;
constexpr win::DWORD ERROR_HANDLE_DISK_FULL = 39;
constexpr win::DWORD ERROR_DISK_FULL = 112;
constexpr win::DWORD ERROR_FILENAME_EXCED_RANGE = 206;
constexpr win::DWORD ERROR_IO_DEVICE = 1117;

// `hostError` is a positive errno value.
win::DWORD WindowsErrorOfHost(int hostError);

}  // namespace lyn::sim
