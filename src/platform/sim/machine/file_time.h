// Host file times as the platform's FILETIME: 100-nanosecond intervals since
// 1601-01-01 UTC.
#pragma once

#include <ctime>
#include <filesystem>

#include "platform/api/win_types.h"

namespace lyn::sim {

win::FILETIME ToFileTime(std::filesystem::file_time_type time);
// A time as the host's stat gives it, since 1970-01-01 UTC.
win::FILETIME ToFileTime(const timespec& time);

}  // namespace lyn::sim
