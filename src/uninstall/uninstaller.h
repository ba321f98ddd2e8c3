// The product's uninstaller, "UninstallLYN67.exe": reads the uninstall log
// in the Windows folder, asks once whether to remove the product, removes
// what the log records as placed by the install, and tells what it did.
#pragma once

#include "platform/api/platform.h"
#include "uninstall/removal.h"

namespace lyn::uninstall {

enum class UninstallOutcome {
  Removed,     // everything planned was removed or scheduled
  PartlyLeft,  // some things could not be removed; the report lists them
  Declined,    // the user answered No: nothing changed
  LogRefused,  // the log is missing, unreadable or damaged: nothing changed
};

UninstallOutcome RunUninstall(Platform& platform);

}  // namespace lyn::uninstall
