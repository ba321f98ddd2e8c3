// A file's DOS attributes as the letters a listing shows: "DRHSA", a '-' for
// each attribute the file lacks.
#pragma once

#include <string>

#include "platform/api/win_types.h"

namespace lyn::lynsim {

std::string AttributeLetters(win::DWORD attributes);

}  // namespace lyn::lynsim
