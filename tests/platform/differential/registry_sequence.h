// One sequence of registry calls, written once against the seam and run
// both on the emulated machine and, built for Windows, under Wine: each line
// it returns is one call's result and what came back with it.
#pragma once

#include <string>

#include "platform/api/advapi32_registry.h"

namespace lyn::differential {

std::string RunRegistrySequence(win::Advapi32Registry& registry);

}  // namespace lyn::differential
