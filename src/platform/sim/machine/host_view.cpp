#include "platform/sim/machine/host_view.h"

namespace lyn::sim {

std::filesystem::path HostPathOf(const Machine& machine, std::string_view windowsPath) {
  return machine.DrivesFolder() / machine.Resolve(windowsPath).drivePath;
}

}  // namespace lyn::sim
