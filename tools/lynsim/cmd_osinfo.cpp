// lynsim osinfo DIR: the identification record of a machine and the outcome
// of the setup program's operating-system check on it.
#include <iostream>
#include <stdexcept>

#include "command.h"
#include "inspection_host.h"
#include "platform/sim/sim_platform.h"
#include "shell/os_check.h"
#include "sysinfo/operating_system.h"

namespace lyn::lynsim {
namespace {

int RunOsInfo(const Args& args) {
  if (args.size() != 1) throw UsageError{"osinfo takes one machine folder"};
  InspectionHost host;
  sim::SimPlatform machine(sim::Machine::Open(args[0]), host);
  OperatingSystem::OSInfo info;
  try {
    info = OperatingSystem::GetOSInfo(machine.platform());
  } catch (const OperatingSystem::OSInfoError&) {
    throw std::runtime_error("the identification failed with error -1");
  }
  const Boolean16 is64 = OperatingSystem::Is64BitOS;
  std::cout << "OSName: " << info.OSName << "\n"
            << "OSCode: " << info.OSCode << "\n"
            << "BuildNumber: " << info.BuildNumber << "\n"
            << "ServicePack: " << info.ServicePack << "\n"
            << "OSDescription: " << info.OSDescription << "\n"
            << "Is64BitOS: " << (is64 ? "True" : "False") << "\n"
            << "Check: " << CheckTitle(ClassifySystem(info, is64)) << "\n";
  return 0;
}

const Command kOsInfo("osinfo", "osinfo DIR", &RunOsInfo);

}  // namespace
}  // namespace lyn::lynsim
