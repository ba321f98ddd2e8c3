// The program keeps its texts in UTF-8. Texts handed to the platform's ANSI
// functions are converted to the system's ANSI code page, and texts coming
// back are converted back, through the platform's own conversions.
#pragma once

#include <string>
#include <string_view>

#include "platform/api/kernel32.h"

namespace lyn {

std::string ToAnsi(win::Kernel32& kernel32, std::string_view utf8);
std::string FromAnsi(win::Kernel32& kernel32, std::string_view ansi);

}  // namespace lyn
