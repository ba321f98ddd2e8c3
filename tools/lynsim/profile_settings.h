// FIELD=VALUE settings from the command line, checked as the profile file is.
#pragma once

#include <string>
#include <vector>

#include "platform/sim/machine/profile.h"

namespace lyn::lynsim {

// Applies each setting in order; throws UsageError for a setting without
// '=', an unknown field (naming the closest ones) or a value the field
// cannot hold.
void ApplySettings(sim::Profile& profile, const std::vector<std::string>& settings);

}  // namespace lyn::lynsim
