// One column of the manifest: 91 slots (0 to 90), every access checked.
#pragma once

#include <array>
#include <cstddef>
#include <stdexcept>

namespace lyn::Manifest {

inline constexpr int kLastSlot = 90;

// A slot below 0 or above 90 throws std::out_of_range.
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

}  // namespace lyn::Manifest
