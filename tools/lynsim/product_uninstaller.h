// Which uninstaller removes the product from a machine, found as the
// system's list of installed programs and a person would find it.
#pragma once

#include <ostream>

#include "platform/sim/machine/machine.h"

namespace lyn::lynsim {

// Checks that there is an uninstaller to run: the program the product's
// uninstall entry names (in the view of 32-bit programs); without the entry,
// or without its file, the uninstaller in the Windows folder, where the
// install puts it; without that, when the entry or the uninstall log is still
// there, the uninstaller the product ships, as a person would start it from
// the distribution medium (an install cut short before it placed the
// uninstaller, or a removal cut short after it deleted its own file). What
// was missing is said on `notes`. Throws std::runtime_error with a one-line
// message when the machine holds none of them (nothing of the product to
// remove) or the entry names another program.
void FindUninstaller(const sim::Machine& machine, std::ostream& notes);

}  // namespace lyn::lynsim
