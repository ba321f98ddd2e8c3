// lynsim run DIR [--headless] [--click CONTROL]... [--answer Yes|No|OK]...
// [--hold SECONDS]: runs the setup program on a machine and writes the
// transcript of what a person would see.
#include <charconv>
#include <iostream>
#include <string>

#include "command.h"
#include "platform/sim/fltk/fltk_backend.h"
#include "platform/sim/run/run_program.h"

namespace lyn::lynsim {
namespace {

struct RunOptions {
  std::string folder;
  sim::fltk::DisplayChoice display = sim::fltk::DisplayChoice::Auto;
  std::string screenshot;
  sim::Script script;
};

int ParseHold(const std::string& value) {
  int seconds = -1;
  const char* end = value.data() + value.size();
  const auto [stop, error] = std::from_chars(value.data(), end, seconds);
  if (error != std::errc() || stop != end || seconds < 0) {
    throw UsageError{"--hold expects whole seconds, not '" + value + "'"};
  }
  return seconds;
}

RunOptions ParseRun(const Args& args) {
  RunOptions options;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--headless") {
      options.display = sim::fltk::DisplayChoice::Headless;
    } else if (arg == "--gui") {
      options.display = sim::fltk::DisplayChoice::Gui;
    } else if (arg == "--screenshot") {
      if (i + 1 == args.size()) throw UsageError{arg + " needs a value"};
      options.screenshot = args[++i];
    } else if (arg == "--click" || arg == "--answer" || arg == "--hold") {
      if (i + 1 == args.size()) throw UsageError{arg + " needs a value"};
      const std::string& value = args[++i];
      if (arg == "--click") {
        options.script.clicks.push_back(value);
      } else if (arg == "--hold") {
        options.script.holdSeconds = ParseHold(value);
      } else if (const auto answer = sim::ParseAnswer(value)) {
        options.script.answers.push_back(*answer);
      } else {
        throw UsageError{"--answer expects Yes, No or OK, not '" + value + "'"};
      }
    } else if (arg.rfind("--", 0) == 0) {
      throw UsageError{"unknown option '" + arg + "'"};
    } else if (options.folder.empty()) {
      options.folder = arg;
    } else {
      throw UsageError{"one machine folder only, not also '" + arg + "'"};
    }
  }
  if (options.folder.empty()) throw UsageError{"no machine folder given"};
  return options;
}

int RunRun(const Args& args) {
  const RunOptions options = ParseRun(args);
  sim::Machine machine = sim::Machine::Open(options.folder);
  const sim::Profile profile = machine.profile();
  sim::RunProgram(std::move(machine),
                  sim::fltk::ChooseBackend(options.display, options.script, options.screenshot,
                                           profile, std::cerr));
}

const Command command(
    "run",
    "run DIR [--headless|--gui] [--click CONTROL]... [--answer Yes|No|OK]... [--hold SECONDS] "
    "[--screenshot FILE.png]",
    RunRun);

}  // namespace
}  // namespace lyn::lynsim
