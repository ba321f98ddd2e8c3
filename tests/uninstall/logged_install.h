// An install laid down on an emulated machine the way the install run lays
// it down: every product file at its destination, the program group, the
// shortcuts, and both logs written through the program's own log writer.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "fakes/machine_platform.h"
#include "shell/setup_state.h"

namespace lyn::uninstall {

struct LoggedInstall {
  SetupState state;
  std::string programGroup;
  std::string desktop;
  // Every file and folder the install placed, as Windows paths.
  std::vector<std::string> placed;
};

// Places the product on the machine. `stopAfter` ends the run after the
// first entry of that section, without "[END]", as an install stopped by a
// missing file leaves it; empty for a completed run.
LoggedInstall InstallOnMachine(fakes::MachinePlatform& machine, std::string_view stopAfter = {});

// The uninstall log's text of that install.
std::string UninstallLogText(fakes::MachinePlatform& machine);

}  // namespace lyn::uninstall
