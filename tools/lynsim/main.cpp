// lynsim: the emulated Windows machine's command line.
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <filesystem>
#include <iostream>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "command.h"
#include "platform/sim/machine/closest_names.h"
#include "platform/sim/machine/host_faults.h"

namespace lyn::lynsim {
namespace {

std::vector<CommandSetup>& Setups() {
  static std::vector<CommandSetup> setups;
  return setups;
}

// A message's text fit for one line of a terminal: control characters as
// escapes, cut with "..." after `most` bytes, never inside a UTF-8 character.
std::string OneLine(const std::string& message, std::size_t most) {
  std::string line;
  for (const char c : message) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '\n') {
      line += "\\n";
    } else if (c == '\r') {
      line += "\\r";
    } else if (c == '\t') {
      line += "\\t";
    } else if (byte < 0x20 || byte == 0x7F) {
      char escape[5];
      std::snprintf(escape, sizeof escape, "\\x%02X", byte);
      line += escape;
    } else {
      line += c;
    }
  }
  if (line.size() <= most) return line;
  std::size_t cut = most - 3;
  while (cut > 0 && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80) --cut;
  return line.substr(0, cut) + "...";
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

std::string Suggestion(const std::string& name, const std::vector<std::string>& known) {
  const std::vector<std::string> closest = sim::ClosestNames(name, known, 1);
  return closest.empty() ? std::string() : "; did you mean " + closest.front() + "?";
}

std::vector<std::string> OptionNames(const CLI::App& command) {
  std::vector<std::string> names;
  for (const CLI::Option* option : command.get_options()) {
    for (const std::string& name : option->get_lnames()) names.push_back("--" + name);
    for (const std::string& name : option->get_snames()) names.push_back("-" + name);
  }
  return names;
}

struct UnknownWordError {
  std::string message;
  std::string hint;
};

// The first word of the command line that names no command or option of the
// command it belongs to, as a message with the closest known name.
std::optional<UnknownWordError> UnknownWord(CLI::App& app, const std::vector<std::string>& words) {
  if (words.empty()) return std::nullopt;
  CLI::App* command = &app;
  std::size_t first = 0;
  if (!words[0].starts_with("-")) {
    command = FindCommand(app, words[0]);
    if (command == nullptr) return UnknownWordError{NotACommand(app, words[0]), "see lynsim help"};
    first = 1;
  }
  for (std::size_t i = first; i < words.size(); ++i) {
    const std::string& word = words[i];
    if (word == "--") break;
    const bool option =
        word.size() > 1 && word[0] == '-' && !std::isdigit(static_cast<unsigned char>(word[1]));
    if (!option) continue;
    const std::string name = word.substr(0, word.find('='));
    if (command->get_option_no_throw(name) != nullptr) continue;
    const std::string where = command == &app ? "lynsim" : "lynsim " + command->get_name();
    return UnknownWordError{
        "'" + name + "' is not an option of " + where + Suggestion(name, OptionNames(*command)),
        command == &app ? "see lynsim help" : "see lynsim help " + command->get_name()};
  }
  return std::nullopt;
}

// The host fault plan LYNSIM_FAULT names, armed before the command touches
// a machine: the fault-injection walk runs lynsim under each of its plans.
void ArmFaultPlan() {
  const char* text = std::getenv("LYNSIM_FAULT");
  if (text == nullptr) return;
  const std::optional<sim::FaultPlan> plan = sim::ParseFaultPlan(text);
  if (!plan) {
    throw std::runtime_error("LYNSIM_FAULT '" + std::string(text) +
                             "' is no fault plan: enospc@N, eio@N, kill@N or count:FILE");
  }
  sim::ArmHostFaults(*plan);
}

// Whether everything printed reached standard output.
bool OutputWritten() {
  std::cout.flush();
  return std::fflush(stdout) == 0 && std::ferror(stdout) == 0 && std::cout.good();
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

CLI::Option* AddJsonFlag(CLI::App& command, bool& json) {
  return command.add_flag("--json", json,
                          "print one JSON object instead of text (docs/lynsim-json.md)");
}

void AddAnswerOption(CLI::App& command, std::vector<std::string>& answers) {
  command.add_option("--answer", answers, "answer the next message box; may be repeated")
      ->type_name("Yes|No|OK")
      ->transform(CLI::IsMember({"Yes", "No", "OK"}, CLI::ignore_case))
      ->allow_extra_args(false);
}

CLI::App* FindCommand(CLI::App& app, const std::string& name) {
  for (CLI::App* command : app.get_subcommands([](CLI::App*) { return true; })) {
    if (command->get_name() == name) return command;
  }
  return nullptr;
}

std::string NotACommand(CLI::App& app, const std::string& word) {
  std::vector<std::string> names;
  for (const CLI::App* known : app.get_subcommands({})) names.push_back(known->get_name());
  return "'" + word + "' is not a command" + Suggestion(word, names);
}

void PrintError(const std::string& message, const std::string& hint) {
  std::cerr << "lynsim: " << OneLine(message, 200) << (hint.empty() ? "" : " (" + hint + ")")
            << "\n";
}

}  // namespace lyn::lynsim

int main(int argc, char** argv) {
  using namespace lyn::lynsim;
  CLI::App app("lynsim: makes, runs and inspects emulated Windows machines for LYN Setup",
               "lynsim");
  app.set_version_flag("-V,--version", "lynsim " LYN_VERSION);
  app.require_subcommand(1);
  app.footer(
      "Run 'lynsim help COMMAND' or 'lynsim COMMAND --help' for a command's options and "
      "an example.");
  std::vector<std::pair<CLI::App*, Runner>> commands;
  for (const CommandSetup& setup : Setups()) {
    Runner runner = setup(app);
    commands.emplace_back(app.get_subcommands([](CLI::App*) { return true; }).back(),
                          std::move(runner));
  }
  if (const auto unknown = UnknownWord(app, std::vector<std::string>(argv + 1, argv + argc))) {
    PrintError(unknown->message, unknown->hint);
    return kExitUsage;
  }
  try {
    app.parse(argc, argv);
  } catch (const CLI::Success& e) {  // --help or --version
    const int status = app.exit(e);
    return OutputWritten() ? status : kExitFailed;
  } catch (const CLI::ParseError& e) {
    const std::vector<CLI::App*> chosen = app.get_subcommands();
    PrintError(e.what(),
               chosen.empty() ? "see lynsim help" : "see lynsim help " + chosen.back()->get_name());
    return kExitUsage;
  }
  for (const auto& [command, run] : commands) {
    if (!command->parsed()) continue;
    int status = kExitFailed;
    try {
      ArmFaultPlan();
      status = run();
    } catch (const UsageError& e) {
      PrintError(e.message, "see lynsim help " + command->get_name());
      return kExitUsage;
    } catch (const std::filesystem::filesystem_error& e) {
      PrintError(HostFailure(e));
      return kExitFailed;
    } catch (const std::exception& e) {
      PrintError(e.what());
      return kExitFailed;
    }
    if (!OutputWritten()) {
      PrintError(std::string("cannot write to standard output: ") + std::strerror(errno));
      return kExitFailed;
    }
    return status;
  }
  return kExitUsage;
}
