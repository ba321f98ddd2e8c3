// lynsim uninstall DIR [--answer Yes|No|OK]... [--yes]: what the system's list of
// installed programs does when a person removes the product: reads the
// UninstallString of the product's uninstall entry and runs that program on
// the machine, headless, its message boxes answered from the script.
#include <iostream>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>

#include "command.h"
#include "platform/sim/machine/case_fold.h"
#include "platform/sim/registry/registry_store.h"
#include "platform/sim/run/run_program.h"
#include "uninstall/removal_plan.h"
#include "uninstall/uninstaller.h"

namespace lyn::lynsim {
namespace {

struct Options {
  std::string folder;
  std::vector<std::string> answers;
  bool yes = false;
};

constexpr const char* kStatuses =
    "Exit statuses:\n"
    "  0  the uninstaller ran to its end\n"
    "  1  the machine has no uninstall entry for the product, or no file where it points;\n"
    "     or the machine or the host failed (the message says which)\n"
    "  2  the command line is wrong\n"
    "  3  the answers did not fit: one the box has no button for, a box left unanswered,\n"
    "     or answers left over\n";

// The entry as 32-bit programs write it: on a 64-bit system their view of
// SOFTWARE is the Wow6432Node key.
std::string EntryKey(const sim::Machine& machine) {
  const std::string path(uninstall::kUninstallKeyPath);
  const std::string software = "SOFTWARE\\";
  const std::string view = machine.profile().Wow64 ? software + "Wow6432Node\\" : software;
  return "HKEY_LOCAL_MACHINE\\" + view + path.substr(software.size());
}

// The program the entry's UninstallString names; a one-line error when there
// is no entry, no such value or no such file.
std::string UninstallProgram(const sim::Machine& machine) {
  const std::string key = EntryKey(machine);
  const sim::RegistryStore registry(machine.State());
  const std::optional<sim::RegistryValue> value = registry.GetValue(key, "UninstallString");
  if (!value) {
    throw std::runtime_error("the machine has no uninstall entry for the product ('" + key +
                             "' with an UninstallString)");
  }
  std::string ansi(value->data.begin(), value->data.end());
  ansi = ansi.substr(0, ansi.find('\0'));
  const std::string program = machine.AnsiToUtf8(ansi);
  const sim::ResolvedPath resolved = machine.Resolve(program);
  if (!resolved.exists || resolved.folder) {
    throw std::runtime_error("the uninstall entry's program '" + program +
                             "' is not on the machine");
  }
  const std::string name = program.substr(program.rfind('\\') + 1);
  if (!sim::EqualFolded(name, uninstall::kUninstallerName)) {
    throw std::runtime_error("the uninstall entry names '" + program +
                             "', which is not the product's uninstaller");
  }
  return program;
}

[[noreturn]] void RunUninstaller(const Options& options) {
  sim::Machine machine = sim::Machine::Open(options.folder);
  UninstallProgram(machine);
  sim::Script script;
  for (const std::string& word : options.answers) script.answers.push_back(*sim::ParseAnswer(word));
  script.agree = options.yes;
  sim::RunProgram(std::move(machine), sim::HeadlessBackend(script),
                  [](Platform& platform) { uninstall::RunUninstall(platform); });
}

const Command kUninstall([](CLI::App& app) {
  auto options = std::make_shared<Options>();
  CLI::App& command =
      AddCommand(app, "uninstall",
                 "Removes the product as the system's list of installed programs does: runs the "
                 "program its uninstall entry names, headless, and prints the transcript",
                 "lynsim uninstall /tmp/m --answer Yes --answer OK");
  command.footer(kStatuses + ("\n" + command.get_footer()));
  AddMachineFolder(command, options->folder);
  AddAnswerOption(command, options->answers);
  command.add_flag("--yes,-y", options->yes,
                   "answer every box after the --answer ones Yes, or OK where it has no Yes");
  return [options]() -> int { RunUninstaller(*options); };
});

}  // namespace
}  // namespace lyn::lynsim
