// Where a path of the machine lies on the host, for the command-line tools
// and tests that look at a machine from outside it. The emulated libraries
// never ask: they reach files only through the file layer.
#pragma once

#include <filesystem>
#include <string_view>

#include "platform/sim/machine/machine.h"

namespace lyn::sim {

// Resolves as Machine::Resolve does (and throws as it does).
std::filesystem::path HostPathOf(const Machine& machine, std::string_view windowsPath);

}  // namespace lyn::sim
