#include "engine/progress_dots.h"

namespace lyn::ProgressDots {

std::int32_t Counter = 0;
std::string Dots;

void Set(std::int32_t count) {
  Counter = count;
  Dots = std::string(static_cast<std::size_t>(Counter), '.');
}

void Advance() {
  Set(Counter + 1 > 9 ? 1 : Counter + 1);
}

}  // namespace lyn::ProgressDots
