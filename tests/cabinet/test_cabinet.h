// A writer of small uncompressed cabinets for the tests, so that each test
// states the names, dates and contents it needs, odd ones included.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace lyn::testing {

struct CabEntry {
  std::string name;  // bytes as stored, "\" between folders
  std::string data;
  std::uint16_t dosDate = (29 << 9) | (3 << 5) | 14;  // 14 March 2009
  std::uint16_t dosTime = (13 << 11) | (5 << 5) | 4;  // 13:05:08
  std::uint16_t attributes = 0x20;
  std::uint16_t folder = 0;  // the cabinet folder whose data holds it
};

constexpr std::uint16_t DosDate(int year, int month, int day) {
  return static_cast<std::uint16_t>(((year - 1980) << 9) | (month << 5) | day);
}
constexpr std::uint16_t DosTime(int hour, int minute, int second) {
  return static_cast<std::uint16_t>((hour << 11) | (minute << 5) | (second / 2));
}

// Stored without compression, each folder's data in blocks of at most 32 KiB;
// as many folders as the entries name.
std::string UncompressedCabinet(const std::vector<CabEntry>& entries);

}  // namespace lyn::testing
