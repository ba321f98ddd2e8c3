// lynsim osinfo DIR [--json]: the identification record of a machine and the
// outcome of the setup program's operating-system check on it.
#include <iostream>
#include <memory>
#include <stdexcept>

#include "command.h"
#include "inspection_host.h"
#include "platform/sim/sim_platform.h"
#include "record_output.h"
#include "shell/os_check.h"
#include "sysinfo/operating_system.h"

namespace lyn::lynsim {
namespace {

struct Options {
  std::string folder;
  bool json = false;
};

int RunOsInfo(const Options& options) {
  InspectionHost host;
  sim::SimPlatform machine(sim::Machine::Open(options.folder), host);
  OperatingSystem::OSInfo info;
  try {
    info = OperatingSystem::GetOSInfo(machine.platform());
  } catch (const OperatingSystem::OSInfoError&) {
    throw std::runtime_error("the identification failed with error -1");
  }
  const bool is64 = OperatingSystem::Is64BitOS;
  Record record;
  record["OSName"] = info.OSName;
  record["OSCode"] = info.OSCode;
  record["BuildNumber"] = info.BuildNumber;
  record["ServicePack"] = info.ServicePack;
  record["OSDescription"] = info.OSDescription;
  record["Is64BitOS"] = is64;
  record["Check"] = CheckTitle(ClassifySystem(info, is64));
  PrintRecord(std::cout, record, options.json);
  return kExitDone;
}

const Command kOsInfo([](CLI::App& app) {
  auto options = std::make_shared<Options>();
  CLI::App& command =
      AddCommand(app, "osinfo",
                 "The machine's identification record, as the setup program reads it, and the "
                 "outcome of its operating-system check",
                 "lynsim osinfo /tmp/m --json");
  AddMachineFolder(command, options->folder);
  AddJsonFlag(command, options->json);
  return [options] { return RunOsInfo(*options); };
});

}  // namespace
}  // namespace lyn::lynsim
