// The progress dots shared by the phases of the install run; the counter and
// its text are module-wide values.
#pragma once

#include <cstdint>

#include "common/module_state.h"

namespace lyn::ProgressDots {

// Sets the counter to `count` and the text to that many dots.
void Set(std::int32_t count);
// Adds one to the counter, wrapping from 9 back to 1, and updates the text.
void Advance();

}  // namespace lyn::ProgressDots
