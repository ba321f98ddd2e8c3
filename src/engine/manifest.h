// The manifest: parallel columns of 91 slots (0 to 90) kept for the whole
// program. Slot 0 is never used; rows 1 to 48 are filled by BuildManifest and
// slots 49 to 90 stay empty.
#pragma once

#include <array>
#include <cstddef>
#include <stdexcept>
#include <string>

#include "engine/manifest_rows.h"
#include "shell/boolean16.h"

namespace lyn::Manifest {

inline constexpr int kLastSlot = 90;

// One column. Every access checks the slot number: a slot below 0 or above
// 90 throws std::out_of_range.
template <typename T>
class Column {
 public:
  T& operator[](int slot) { return values_[Checked(slot)]; }
  const T& operator[](int slot) const { return values_[Checked(slot)]; }

 private:
  static std::size_t Checked(int slot) {
    if (slot < 0 || slot > kLastSlot) throw std::out_of_range("Subscript out of range");
    return static_cast<std::size_t>(slot);
  }

  std::array<T, kLastSlot + 1> values_{};
};

extern Column<std::string> FileName;
extern Column<std::string> ShippedVersion;
extern Column<std::string> Destination;
extern Column<Boolean16> InstallMark;
extern Column<std::string> PresentVersionText;
extern Column<std::string> ShippedVersionText;

// Empties both version texts of slots 1 to 90, then fills rows 1 to 48 from
// the shipped files with their install marks false.
void BuildManifest();

}  // namespace lyn::Manifest
