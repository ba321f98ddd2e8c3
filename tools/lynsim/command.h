// The subcommands of lynsim. Each command's file registers itself with a
// static Command object; main() dispatches on the first argument.
#pragma once

#include <string>
#include <vector>

namespace lyn::lynsim {

using Args = std::vector<std::string>;
// Runs a command with the arguments after its name; returns the exit status.
using CommandFunction = int (*)(const Args& args);

struct Command {
  Command(const char* name, const char* usage, CommandFunction run);
};

// Thrown for bad command-line input; main prints "lynsim: " and the message
// and exits with status 2.
struct UsageError {
  std::string message;
};

}  // namespace lyn::lynsim
