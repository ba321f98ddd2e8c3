// The progress dots shared by the phases of the install run: a counter and
// the text of that many "." characters, both module-wide.
#pragma once

#include <cstdint>
#include <string>

namespace lyn::ProgressDots {

extern std::int32_t Counter;  // 0 when the program starts
extern std::string Dots;

}  // namespace lyn::ProgressDots
