// An install laid down on an emulated machine the way the install run lays
// it down: every product file at its destination, the program group, the
// shortcuts, and both logs written through the program's own log writer.
#pragma once

#include <string>

#include "common/setup_state.h"
#include "fakes/machine_platform.h"

namespace lyn::uninstall {

struct LoggedInstall {
  SetupState state;
  std::string programGroup;
  std::string desktop;
};

// Places the product on the machine.
LoggedInstall InstallOnMachine(fakes::MachinePlatform& machine);

// The uninstall log's text of that install.
std::string UninstallLogText(fakes::MachinePlatform& machine);

}  // namespace lyn::uninstall
