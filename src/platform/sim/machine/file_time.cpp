#include "platform/sim/machine/file_time.h"

namespace lyn::sim {
namespace {

// 100-nanosecond intervals from 1601-01-01 to 1970-01-01.
constexpr long long kEpochDifference = 116444736000000000LL;

}  // namespace

win::FILETIME ToFileTime(const std::timespec& time) {
  const auto ticks = static_cast<unsigned long long>(
      static_cast<long long>(time.tv_sec) * 10'000'000LL + time.tv_nsec / 100 + kEpochDifference);
  return win::FILETIME{static_cast<win::DWORD>(ticks & 0xFFFFFFFF),
                       static_cast<win::DWORD>(ticks >> 32)};
}

}  // namespace lyn::sim
