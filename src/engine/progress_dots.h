// The progress dots shared by the phases of the install run: a counter and
// the text of that many "." characters, both module-wide.
#pragma once

#include <cstdint>
#include <string>

namespace lyn::ProgressDots {

extern std::int32_t Counter;  // 0 when the program starts
extern std::string Dots;

// Sets the counter to `count` and the text to that many dots.
void Set(std::int32_t count);
// Adds one to the counter, wrapping from 9 back to 1, and updates the text.
void Advance();

}  // namespace lyn::ProgressDots
