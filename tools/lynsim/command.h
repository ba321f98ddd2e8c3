// The subcommands of lynsim.
//
// Adding a lynsim command: write tools/lynsim/cmd_NAME.cpp with one static
// Command. Its setup function adds the subcommand to the application with
// `AddCommand` (name, one-line description, an example), declares the
// options on it, binding them to variables the returned runner captures,
// and returns the runner, which does the work once the command line has
// been parsed and returns the exit status:
//
//   const Command kOsInfo([](CLI::App& app) {
//     auto folder = std::make_shared<std::string>();
//     CLI::App& cmd = AddCommand(app, "osinfo", "the machine's identification record",
//                                "lynsim osinfo /tmp/m");
//     AddMachineFolder(cmd, *folder);
//     return [folder] { return RunOsInfo(*folder); };
//   });
//
// CLI11 gives every command --help and refuses unknown options and missing
// arguments (status 2); main names the closest command or option to a
// mistyped one. A runner throws UsageError for input the parser cannot judge
// (status 2); sim::MachineError and std::runtime_error carry a one-line
// message in the tool's own words (status 1). Whatever a command prints must
// reach standard output: main ends with status 1 when it cannot be written.
// Commands print JSON with --json (`AddJsonFlag`), built with nlohmann::json
// and described in docs/lynsim-json.md.
#pragma once

#include <CLI/CLI.hpp>
#include <functional>
#include <string>
#include <vector>

namespace lyn::lynsim {

// Exit statuses shared by every command.
inline constexpr int kExitDone = 0;
inline constexpr int kExitFailed = 1;  // the machine or the host failed
inline constexpr int kExitUsage = 2;   // the command line is wrong

using Runner = std::function<int()>;
using CommandSetup = std::function<Runner(CLI::App& app)>;

struct Command {
  explicit Command(CommandSetup setup);
};

// Adds the subcommand with its description and an example for its --help.
CLI::App& AddCommand(CLI::App& app, const std::string& name, const std::string& description,
                     const std::string& example);
// The machine-folder argument every machine command takes first.
void AddMachineFolder(CLI::App& command, std::string& folder);
// --json: the record as a JSON object instead of text.
CLI::Option* AddJsonFlag(CLI::App& command, bool& json);
// --answer Yes|No|OK, repeatable, in any case: the answers to the message
// boxes, in order, spelt as the buttons are.
void AddAnswerOption(CLI::App& command, std::vector<std::string>& answers);

// The command of that name, or null.
CLI::App* FindCommand(CLI::App& app, const std::string& name);
// "'WORD' is not a command", with the closest command's name.
std::string NotACommand(CLI::App& app, const std::string& word);

// Prints "lynsim: " and the message on standard error as one line of at most
// about 200 characters, control characters escaped; `hint` follows it in
// parentheses.
void PrintError(const std::string& message, const std::string& hint = "");

// Thrown for bad command-line input the parser cannot judge; main prints
// the message with PrintError and exits with status 2.
struct UsageError {
  std::string message;
};

}  // namespace lyn::lynsim
