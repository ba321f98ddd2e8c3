// lynsim reg DIR export [KEY] [--regedit4] | import FILE|-: writes the
// machine's registry, or one key with its subkeys, as a registry editor file,
// or loads such a file into it.
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

int RunReg(const RegOptions& options, std::ostream& out, std::istream& in) {
  const sim::Machine machine = sim::Machine::Open(options.machine);
  if (options.action == "export") {
    out << sim::ExportRegistry(
        machine, options.key,
        options.regedit4 ? sim::RegistryFileKind::Regedit4 : sim::RegistryFileKind::Version5);
    return kExitDone;
  }
  const bool standardInput = options.file == "-";
  std::ifstream opened;
  if (!standardInput) {
    opened.open(options.file, std::ios::binary);
    if (!opened) throw std::runtime_error("cannot read '" + options.file + "'");
  }
  std::istream& source = standardInput ? in : opened;
  const std::string text{std::istreambuf_iterator<char>(source), std::istreambuf_iterator<char>()};
  const std::string name = standardInput ? std::string("standard input") : options.file;
  if (source.bad()) throw std::runtime_error("cannot read " + name);
  try {
    sim::ImportRegistry(machine, text);
  } catch (const std::invalid_argument& e) {
    throw std::runtime_error(name + ": " + e.what());
  }
  return kExitDone;
}

namespace {

const Command kReg([](CLI::App& app) {
  auto options = std::make_shared<RegOptions>();
  auto argument = std::make_shared<std::string>();
  CLI::App& command = AddCommand(
      app, "reg",
      "Writes the machine's registry, or one key with its subkeys, as a registry editor file "
      "(export: \"Windows Registry Editor Version 5.00\", UTF-16LE), or loads such a file or a "
      "REGEDIT4 file into it (import; - reads standard input)",
      "lynsim reg /tmp/m export 'HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall' "
      "> uninstall.reg");
  AddMachineFolder(command, options->machine);
  command.add_option("ACTION", options->action, "export or import")
      ->required()
      ->check(CLI::IsMember({"export", "import"}));
  command.add_option("KEY|FILE", *argument,
                     "export: the key (HKLM\\... or HKEY_LOCAL_MACHINE\\...); import: the file, "
                     "or - for standard input");
  command.add_flag("--regedit4", options->regedit4,
                   "export a REGEDIT4 file in the machine's ANSI code page");
  return [options, argument] {
    if (options->action == "export") {
      options->key = *argument;
    } else if (argument->empty()) {
      throw UsageError{"reg import needs the file to load, or - for standard input"};
    } else if (options->regedit4) {
      throw UsageError{"--regedit4 is for export; import reads either kind"};
    } else {
      options->file = *argument;
    }
    return RunReg(*options, std::cout, std::cin);
  };
});

}  // namespace
}  // namespace lyn::lynsim
