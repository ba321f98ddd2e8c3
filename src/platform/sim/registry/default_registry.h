// What the registry of a new machine holds: the predefined roots and the
// keys and values programs look for on every Windows.
#pragma once

#include "platform/sim/machine/profile.h"
#include "platform/sim/machine/state_store.h"

namespace lyn::sim {

void WriteDefaultRegistry(StateStore& store, const Profile& profile);

}  // namespace lyn::sim
