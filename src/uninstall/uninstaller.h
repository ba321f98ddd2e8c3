// The product's uninstaller, "UninstallLYN67.exe": reads the uninstall log
// in the Windows folder, asks once whether to remove the product, removes
// what the install placed where the log says it placed it, and tells what it
// did. It repairs what an install or a removal cut short left: a log that
// stops early is read as far as it goes, and when the log is gone but the
// uninstall entry is not, it offers to remove the entry.
#pragma once

#include "platform/api/platform.h"
#include "uninstall/removal.h"

namespace lyn::uninstall {

enum class UninstallOutcome {
  Removed,     // everything planned was removed or scheduled (or the leftover entry was)
  PartlyLeft,  // some things could not be removed; the report lists them
  Declined,    // the user answered No: nothing changed
  LogRefused,  // the log is missing, unreadable or damaged: nothing changed
};

UninstallOutcome RunUninstall(Platform& platform);

}  // namespace lyn::uninstall
