// lynsim: the emulated Windows machine's command line.
#include <cctype>
#include <exception>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "command.h"

namespace lyn::lynsim {
namespace {

std::vector<CommandSetup>& Setups() {
  static std::vector<CommandSetup> setups;
  return setups;
}

// The message of a host file-system error in the tool's own words, without
// the library's wording around it.
std::string HostFailure(const std::filesystem::filesystem_error& e) {
  std::string message = "cannot use ";
  message += e.path1().empty() ? std::string("the host's files") : "'" + e.path1().string() + "'";
  std::string reason = e.code().message();
  if (!reason.empty()) reason[0] = static_cast<char>(std::tolower(reason[0]));
  return message + ": " + reason;
}

}  // namespace

Command::Command(CommandSetup setup) {
  Setups().push_back(std::move(setup));
}

CLI::App& AddCommand(CLI::App& app, const std::string& name, const std::string& description,
                     const std::string& example) {
  CLI::App* command = app.add_subcommand(name, description);
  command->footer("Example:\n  " + example);
  return *command;
}

void AddMachineFolder(CLI::App& command, std::string& folder) {
  command.add_option("DIR", folder, "the machine's folder")->required();
}

void AddJsonFlag(CLI::App& command, bool& json) {
  command.add_flag("--json", json, "print a JSON object instead of text");
}

void AddAnswerOption(CLI::App& command, std::vector<std::string>& answers) {
  command.add_option("--answer", answers, "answer the next message box; may be repeated")
      ->type_name("Yes|No|OK")
      ->check(CLI::IsMember({"Yes", "No", "OK"}))
      ->allow_extra_args(false);
}

}  // namespace lyn::lynsim

int main(int argc, char** argv) {
  using namespace lyn::lynsim;
  CLI::App app("lynsim: makes, runs and inspects emulated Windows machines for LYN Setup",
               "lynsim");
  app.set_version_flag("--version", "lynsim " LYN_VERSION);
  app.require_subcommand(1);
  app.footer("Run 'lynsim COMMAND --help' for a command's options and an example.");
  std::vector<std::pair<CLI::App*, Runner>> commands;
  for (const CommandSetup& setup : Setups()) {
    Runner runner = setup(app);
    commands.emplace_back(app.get_subcommands([](CLI::App*) { return true; }).back(),
                          std::move(runner));
  }
  try {
    app.parse(argc, argv);
  } catch (const CLI::Success& e) {  // --help or --version
    return app.exit(e);
  } catch (const CLI::ParseError& e) {
    const std::vector<CLI::App*> chosen = app.get_subcommands();
    const std::string help =
        chosen.empty() ? "lynsim --help" : "lynsim " + chosen.back()->get_name() + " --help";
    std::cerr << "lynsim: " << e.what() << " (see " << help << ")\n";
    return kExitUsage;
  }
  for (const auto& [command, run] : commands) {
    if (!command->parsed()) continue;
    try {
      return run();
    } catch (const UsageError& e) {
      std::cerr << "lynsim: " << e.message << " (see lynsim " << command->get_name()
                << " --help)\n";
      return kExitUsage;
    } catch (const std::filesystem::filesystem_error& e) {
      std::cerr << "lynsim: " << HostFailure(e) << "\n";
      return kExitFailed;
    } catch (const std::exception& e) {
      std::cerr << "lynsim: " << e.what() << "\n";
      return kExitFailed;
    }
  }
  return kExitUsage;
}
