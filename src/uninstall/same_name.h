// Windows compares file names and paths without regard to the case of their
// ASCII letters.
#pragma once

#include <string_view>

namespace lyn::uninstall {

bool SameName(std::string_view a, std::string_view b);

}  // namespace lyn::uninstall
