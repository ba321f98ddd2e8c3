// The files a new demo machine starts with: the product cabinet in its
// current folder, and the stand-ins of the system files its Windows ships.
#pragma once

#include <filesystem>

#include "platform/sim/machine/machine.h"

namespace lyn::sim {

// Copies "LYN.CAB" from the built product folder into the machine's current
// folder, and each stand-in of the machine's system (kept in the product
// folder as "system/<system>/<file name>") into its folder on the machine,
// making missing folders. Throws std::filesystem::filesystem_error when a
// file cannot be read or written.
void PlaceDemoFiles(const Machine& machine, const std::filesystem::path& productFolder);

}  // namespace lyn::sim
