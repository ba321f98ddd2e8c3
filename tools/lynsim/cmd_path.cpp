// lynsim path DIR WINPATH: where a Windows path of the machine lies on the host.
#include <iostream>

#include "command.h"
#include "platform/sim/machine/machine.h"

namespace lyn::lynsim {
namespace {

int RunPath(const Args& args) {
  if (args.size() != 2) throw UsageError{"path needs a machine folder and a Windows path"};
  const sim::Machine machine = sim::Machine::Open(args[0]);
  std::cout << machine.Resolve(args[1]).hostPath.string() << "\n";
  return 0;
}

const Command command("path", "path DIR WINPATH", RunPath);

}  // namespace
}  // namespace lyn::lynsim
