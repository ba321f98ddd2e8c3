// The load sequence's filling of the setup state.
#pragma once

#include "common/setup_state.h"
#include "platform/api/platform.h"

namespace lyn {

// Fills the setup state as the window's load does: the section headers, the
// outcome words, the folders and the log names, in that order.
void FillSetupState(Platform& platform, SetupState& state);

}  // namespace lyn
