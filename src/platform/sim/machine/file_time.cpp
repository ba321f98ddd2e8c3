#include "platform/sim/machine/file_time.h"

#include <chrono>

namespace lyn::sim {
namespace {

// 100-nanosecond intervals from 1601-01-01 to 1970-01-01.
constexpr long long kEpochDifference = 116444736000000000LL;

win::FILETIME FromTicksSince1970(long long ticks100ns) {
  const auto ticks = static_cast<unsigned long long>(ticks100ns + kEpochDifference);
  return win::FILETIME{static_cast<win::DWORD>(ticks & 0xFFFFFFFF),
                       static_cast<win::DWORD>(ticks >> 32)};
}

}  // namespace

win::FILETIME ToFileTime(std::filesystem::file_time_type time) {
  const auto since1970 = std::chrono::duration_cast<std::chrono::nanoseconds>(
      std::chrono::file_clock::to_sys(time).time_since_epoch());
  return FromTicksSince1970(since1970.count() / 100);
}

win::FILETIME ToFileTime(const timespec& time) {
  return FromTicksSince1970(static_cast<long long>(time.tv_sec) * 10000000LL + time.tv_nsec / 100);
}

}  // namespace lyn::sim
