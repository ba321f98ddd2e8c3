// lynsim reg DIR export [KEY] | import FILE: prints the machine's registry,
// or one key with its subkeys, in the registry editor's text format, or
// loads such a file into it.
#include "cmd_reg.h"

#include <fstream>
#include <iostream>
#include <iterator>
#include <stdexcept>

#include "command.h"
#include "platform/sim/machine/machine.h"
#include "platform/sim/registry/registry_text.h"

namespace lyn::lynsim {

int RunReg(const RegOptions& options, std::ostream& out) {
  const sim::Machine machine = sim::Machine::Open(options.machine);
  if (options.action == "export") {
    out << sim::ExportRegistry(machine, options.key);
    return 0;
  }
  std::ifstream in(options.file, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read '" + options.file + "'");
  const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  try {
    sim::ImportRegistry(machine, text);
  } catch (const std::invalid_argument& e) {
    throw std::runtime_error(options.file + ": " + e.what());
  }
  return 0;
}

namespace {

int RunRegCommand(const Args& args) {
  RegOptions options;
  if (args.size() >= 2) {
    options.machine = args[0];
    options.action = args[1];
  }
  if (options.action == "export" && args.size() <= 3) {
    if (args.size() == 3) options.key = args[2];
  } else if (options.action == "import" && args.size() == 3) {
    options.file = args[2];
  } else {
    throw UsageError{"reg needs a machine folder and 'export [KEY]' or 'import FILE'"};
  }
  return RunReg(options, std::cout);
}

const Command command("reg", "reg DIR export [KEY] | reg DIR import FILE", RunRegCommand);

}  // namespace
}  // namespace lyn::lynsim
