#include "engine/progress_dots.h"

namespace lyn::ProgressDots {

std::int32_t Counter = 0;
std::string Dots;

}  // namespace lyn::ProgressDots
