// lynsim path DIR WINPATH: where a Windows path of the machine lies on the host.
#include <iostream>
#include <memory>

#include "command.h"
#include "platform/sim/machine/host_view.h"

namespace lyn::lynsim {
namespace {

struct Options {
  std::string folder;
  std::string path;
};

const Command kPath([](CLI::App& app) {
  auto options = std::make_shared<Options>();
  CLI::App& command =
      AddCommand(app, "path", "Where a Windows path of the machine lies on the host",
                 "lynsim path /tmp/m 'C:\\Windows\\system32\\Lyn.dll'");
  AddMachineFolder(command, options->folder);
  command.add_option("WINPATH", options->path, "the Windows path")->required();
  return [options] {
    const sim::Machine machine = sim::Machine::Open(options->folder);
    std::cout << sim::HostPathOf(machine, options->path).string() << "\n";
    return kExitDone;
  };
});

}  // namespace
}  // namespace lyn::lynsim
