// The program's module-wide flags are 16-bit booleans: true is -1, false 0.
#pragma once

#include <cstdint>

namespace lyn {

using Boolean16 = std::int16_t;
constexpr Boolean16 kTrue16 = -1;
constexpr Boolean16 kFalse16 = 0;

constexpr Boolean16 ToBoolean16(bool value) {
  return value ? kTrue16 : kFalse16;
}

}  // namespace lyn
