// lynsim uninstall DIR [--answer Yes|No|OK]... [--yes]: what the system's list of
// installed programs does when a person removes the product: reads the
// UninstallString of the product's uninstall entry and runs that program on
// the machine, headless, its message boxes answered from the script. What a
// person would do when the entry or its program is missing, it does too:
// runs the uninstaller from the Windows folder, or the one the product ships.
#include <iostream>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>

#include "command.h"
#include "platform/sim/machine/case_fold.h"
#include "platform/sim/registry/registry_store.h"
#include "platform/sim/run/run_program.h"
#include "uninstall/install_places.h"
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
    "  1  nothing of the product is on the machine: no uninstall entry, no uninstaller and\n"
    "     no uninstall log in the Windows folder, no program folder and no setup folder;\n"
    "     or the entry names another program;\n"
    "     or the machine or the host failed (the message says which)\n"
    "  2  the command line is wrong\n"
    "  3  the answers did not fit: one the box has no button for, a box left unanswered,\n"
    "     or answers left over\n"
    "  4  Windows did not start the uninstaller, which asks for administrator rights: the\n"
    "     elevation prompt was answered No (error 1223), or User Account Control is off and\n"
    "     the user is no administrator (error 740)\n";

// The entry as 32-bit programs write it: on a 64-bit system their view of
// SOFTWARE is the Wow6432Node key.
std::string EntryKey(const sim::Machine& machine) {
  const std::string path(uninstall::kUninstallKeyPath);
  const std::string software = "SOFTWARE\\";
  const std::string view = machine.profile().Wow64 ? software + "Wow6432Node\\" : software;
  return "HKEY_LOCAL_MACHINE\\" + view + path.substr(software.size());
}

bool IsFile(const sim::Machine& machine, const std::string& path) {
  const sim::ResolvedPath resolved = machine.Resolve(path);
  return resolved.exists && !resolved.folder;
}

bool IsFolder(const sim::Machine& machine, const std::string& path) {
  const sim::ResolvedPath resolved = machine.Resolve(path);
  return resolved.exists && resolved.folder;
}

// A folder an install makes before it writes anything that records it: the
// program folder ("LYN", "LYN01" to "LYN99") or the setup program's
// temporary folder.
bool InstallFolderThere(const sim::Machine& machine) {
  const sim::Profile& profile = machine.profile();
  if (IsFolder(machine, profile.TempPath + "LYNSetup")) return true;
  for (int number = 0; number <= 99; ++number) {
    const std::string digits = number == 0 ? "" : std::to_string(100 + number).substr(1);
    if (IsFolder(machine, profile.ProgramFiles + "\\LYN" + digits)) return true;
  }
  return false;
}

// The uninstaller to run: the program the entry's UninstallString names;
// without the entry, or without its file, the uninstaller in the Windows
// folder, where the install puts it; without that, when the entry, the
// uninstall log or a folder the install makes is still there, the
// uninstaller the product ships, as a person would start it from the
// distribution medium (an install cut short before it placed the
// uninstaller, or a removal cut short after it deleted its own file). What
// was missing is said on the error output. A machine with none of them has
// nothing of the product to remove: a one-line error.
void FindUninstaller(const sim::Machine& machine) {
  const std::string key = EntryKey(machine);
  const sim::RegistryStore registry(machine.State());
  const std::optional<sim::RegistryValue> value = registry.GetValue(key, "UninstallString");
  const std::string windows = machine.profile().WindowsDirectory;
  const std::string program = windows + "\\" + std::string(uninstall::kUninstallerName);
  const std::string log = windows + "\\" + std::string(uninstall::kUninstallLogName);
  std::string missing;
  if (value) {
    std::string ansi(value->data.begin(), value->data.end());
    ansi = ansi.substr(0, ansi.find('\0'));
    const std::string named = machine.AnsiToUtf8(ansi);
    if (!sim::EqualFolded(named.substr(named.rfind('\\') + 1), uninstall::kUninstallerName)) {
      throw std::runtime_error("the uninstall entry names '" + named +
                               "', which is not the product's uninstaller");
    }
    if (IsFile(machine, named)) return;
    missing = "the uninstall entry's program '" + named + "' is not on the machine";
  } else {
    missing = "no uninstall entry 'HKLM" + key.substr(key.find('\\')) + "'";
  }
  if (IsFile(machine, program)) {
    std::cerr << "lynsim: " << missing << "; running '" << program << "'\n";
    return;
  }
  if (value || IsFile(machine, log) || InstallFolderThere(machine)) {
    std::cerr << "lynsim: " << missing << " (nor is '" << program
              << "'); running the uninstaller the product ships\n";
    return;
  }
  throw std::runtime_error(missing + ", and neither '" + program + "' nor '" + log + "' is there");
}

[[noreturn]] void RunUninstaller(const Options& options) {
  sim::Machine machine = sim::Machine::Open(options.folder);
  FindUninstaller(machine);
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
