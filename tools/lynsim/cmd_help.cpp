// lynsim help [COMMAND]: the help of lynsim, or of one command.
#include <iostream>
#include <memory>

#include "command.h"

namespace lyn::lynsim {
namespace {

const Command kHelp([](CLI::App& app) {
  auto topic = std::make_shared<std::string>();
  CLI::App& command =
      AddCommand(app, "help", "Prints the help of lynsim, or of one command", "lynsim help run");
  command.add_option("COMMAND", *topic, "the command to explain");
  return [&app, topic] {
    // Formatted directly: the application's own help would show the
    // selected command's, which is this one.
    if (topic->empty()) {
      std::cout << app.get_formatter()->make_help(&app, "lynsim", CLI::AppFormatMode::Normal);
      return kExitDone;
    }
    CLI::App* explained = FindCommand(app, *topic);
    if (explained == nullptr) throw UsageError{NotACommand(app, *topic)};
    std::cout << explained->help("lynsim");
    return kExitDone;
  };
});

}  // namespace
}  // namespace lyn::lynsim
