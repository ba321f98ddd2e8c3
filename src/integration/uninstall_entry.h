// The product's entry in the platform's list of installed programs, under
// HKEY_LOCAL_MACHINE's Uninstall key, written anew on every run.
#pragma once

#include <string>

#include "common/setup_state.h"
#include "platform/api/platform.h"

namespace lyn {

// Removes any previous entry and writes the six values; true when the entry
// reads back with the product's publisher. Sets the state's uninstall key
// path.
bool WriteUninstallEntry(Platform& platform, SetupState& state, const std::string& iconPath,
                         const std::string& uninstallPath);

}  // namespace lyn
