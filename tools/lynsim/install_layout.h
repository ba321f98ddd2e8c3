// Where lynsim finds what it brings along: its window module and the demo
// product (the cabinet and the system files' stand-ins). In the build tree
// both lie where the build put them; once installed (cmake --install), under
// the prefix beside bin/: lib/lynsim/ and share/lynsim/product/.
#pragma once

#include <filesystem>

namespace lyn::lynsim {

std::filesystem::path WindowModuleFile();
std::filesystem::path ProductFolder();

}  // namespace lyn::lynsim
