// lynsim uninstall DIR [--answer Yes|No|OK]... [--yes]: what the system's list of
// installed programs does when a person removes the product: reads the
// UninstallString of the product's uninstall entry and runs that program on
// the machine, headless, its message boxes answered from the script. What a
// person would do when the entry or its program is missing, it does too:
// runs the uninstaller from the Windows folder, or the one the product ships.
#include <iostream>
#include <memory>
#include <string>

#include "command.h"
#include "platform/sim/run/run_program.h"
#include "product_uninstaller.h"
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

[[noreturn]] void RunUninstaller(const Options& options) {
  sim::Machine machine = sim::Machine::Open(options.folder);
  FindUninstaller(machine, std::cerr);
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
