// Host file times as the platform's FILETIME: 100-nanosecond intervals since
// 1601-01-01 UTC.
#pragma once

#include <ctime>

#include "platform/api/win_types.h"

namespace lyn::sim {

win::FILETIME ToFileTime(const std::timespec& time);

}  // namespace lyn::sim
