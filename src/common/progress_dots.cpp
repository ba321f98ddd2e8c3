#include "common/progress_dots.h"

namespace lyn::ProgressDots {

void Set(std::int32_t count) {
  Counter = count;
  Dots = std::string(static_cast<std::size_t>(Counter), '.');
}

void Advance() {
  Set(Counter + 1 > 9 ? 1 : Counter + 1);
}

}  // namespace lyn::ProgressDots
