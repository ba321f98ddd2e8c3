// lynsim reg DIR export [KEY] | import FILE: prints the machine's registry,
// or one key with its subkeys, in the registry editor's text format, or
// loads such a file into it.
#include "cmd_reg.h"

#include <fstream>
#include <iostream>
#include <iterator>
#include <memory>
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

const Command kReg([](CLI::App& app) {
  auto options = std::make_shared<RegOptions>();
  auto argument = std::make_shared<std::string>();
  CLI::App& command = AddCommand(
      app, "reg",
      "Prints the machine's registry, or one key with its subkeys, as a registry editor file "
      "(export), or loads such a file into it (import)",
      "lynsim reg /tmp/m export 'HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall'");
  AddMachineFolder(command, options->machine);
  command.add_option("ACTION", options->action, "export or import")
      ->required()
      ->check(CLI::IsMember({"export", "import"}));
  command.add_option("KEY|FILE", *argument,
                     "export: the key (HKLM\\... or HKEY_LOCAL_MACHINE\\...); import: the file");
  return [options, argument] {
    if (options->action == "export") {
      options->key = *argument;
    } else if (argument->empty()) {
      throw UsageError{"reg import needs the file to load"};
    } else {
      options->file = *argument;
    }
    return RunReg(*options, std::cout);
  };
});

}  // namespace
}  // namespace lyn::lynsim
