// The scenarios of tests/data/scenarios: each file is a session at a shell,
// commands and what they print, as a person reviewed it (see tests/README.md).
// A scenario passes when running its commands again prints the same, byte
// for byte; the logs a run writes are compared with their golden files by
// the scenario's own commands.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "fakes/held_file.h"
#include "platform/sim/machine/machine.h"
#include "platform/sim/machine/scratch_folder.h"

namespace {

namespace fs = std::filesystem;

const fs::path kScenarios = fs::path(LYN_SOURCE_DIR) / "tests" / "data" / "scenarios";
constexpr const char* kCommand = "  $ ";
constexpr const char* kContinued = "  > ";

std::string Read(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// What a shell command prints on standard output, and its exit status.
std::pair<std::string, int> Captured(const std::string& command) {
  std::FILE* pipe = popen(command.c_str(), "r");
  std::string printed;
  char buffer[4096];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
    printed.append(buffer, n);
  }
  const int raw = pclose(pipe);
  return {printed, WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw)};
}

void ReplaceAll(std::string& text, const std::string& from, const std::string& to) {
  for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
}

// Runs the scenario's commands in a scratch folder and writes the session
// again with what they print now.
class Session {
 public:
  Session() {
    fs::create_directories(scratch_.path());
    variables_ = {{"DATA", fs::path(LYN_SOURCE_DIR) / "tests" / "data"},
                  {"PRODUCT", LYN_PRODUCT_DIR},
                  {"PE", LYN_TEST_PE_DIR},
                  {"SCRATCH", scratch_.path()}};
    for (const auto& [name, value] : variables_) setenv(name.c_str(), value.c_str(), 1);
    const std::string path = fs::path(LYNSIM_PATH).parent_path().string() + ":" + getenv("PATH");
    setenv("PATH", path.c_str(), 1);
  }

  // Commentary and commands are kept; the output recorded before is replaced.
  std::string Replay(const std::string& text) {
    std::istringstream lines(text);
    std::string out;
    std::optional<std::string> command;  // the one being read, its lines joined
    const auto run = [&] {
      if (command) out += Indented(Run(*command));
      command.reset();
    };
    for (std::string line; std::getline(lines, line);) {
      if (command && line.starts_with(kContinued)) {
        *command += '\n';
        *command += line.substr(4);
        out += line + "\n";
        continue;
      }
      run();
      if (line.starts_with(kCommand)) command = line.substr(4);
      if (command || !line.starts_with("  ")) out += line + "\n";
    }
    run();
    return out;
  }

 private:
  // What the command prints on both outputs, then "[status]" unless 0.
  std::string Run(const std::string& command) {
    if (command.starts_with("hold ")) return Hold(command.substr(5));
    if (command.starts_with("attrib ")) return Attrib(command.substr(7));
    const fs::path script = scratch_.path() / ".step.sh";
    std::ofstream(script) << "cd '" << scratch_.path().string() << "'\n" << command << "\n";
    auto [printed, status] = Captured("bash '" + script.string() + "' 2>&1");
    for (const auto& [name, value] : variables_) ReplaceAll(printed, value.string(), "$" + name);
    if (!printed.empty() && !printed.ends_with("\n")) printed += " (no-eol)\n";
    if (status != 0) printed += "[" + std::to_string(status) + "]\n";
    return printed;
  }

  // "hold MACHINE WINPATH": the file is held open, as a running program
  // holds its own image, until the scenario ends.
  std::string Hold(const std::string& args) {
    return OnMachine(args, [this](const lyn::sim::Machine& machine, const std::string& path) {
      held_.push_back(std::make_unique<lyn::fakes::HeldFile>(machine, path));
    });
  }

  // "attrib MACHINE RHSA WINPATH": sets the DOS attributes named by their
  // letters ("-" for none), as the attribute command does.
  std::string Attrib(const std::string& args) {
    const auto first = args.find(' ');
    const auto second = args.find(' ', first + 1);
    lyn::win::DWORD attributes = 0;
    for (const char letter : args.substr(first + 1, second - first - 1)) {
      const auto bit = std::string("RHS..A").find(letter);  // the bits' order
      if (bit != std::string::npos && letter != '.') attributes |= 1u << bit;
    }
    return OnMachine(args.substr(0, first) + args.substr(second),
                     [attributes](const lyn::sim::Machine& machine, const std::string& path) {
                       machine.SetAttributes(path, attributes);
                     });
  }

  // Opens the machine named first in `args` and acts on the Windows path
  // that follows; what it prints is the error, if any.
  template <typename Action>
  std::string OnMachine(const std::string& args, Action action) {
    const auto space = args.find(' ');
    try {
      action(lyn::sim::Machine::Open(scratch_.path() / args.substr(0, space)),
             args.substr(space + 1));
      return "";
    } catch (const std::exception& e) {
      return std::string(e.what()) + "\n";
    }
  }

  static std::string Indented(const std::string& printed) {
    std::istringstream lines(printed);
    std::string out;
    for (std::string line; std::getline(lines, line);) out += "  " + line + "\n";
    return out;
  }

  lyn::sim::testing::ScratchFolder scratch_;
  std::vector<std::pair<std::string, fs::path>> variables_;
  std::vector<std::unique_ptr<lyn::fakes::HeldFile>> held_;
};

std::vector<std::string> ScenarioNames() {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(kScenarios)) {
    if (entry.path().extension() == ".t") names.push_back(entry.path().stem().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

class Scenario : public ::testing::TestWithParam<std::string> {};

// With LYN_GOLDEN_WRITE=1 the session is written back as it ran, for a
// person to review before it is committed.
TEST_P(Scenario, PrintsWhatWasReviewed) {
  const fs::path file = kScenarios / (GetParam() + ".t");
  const std::string recorded = Read(file);
  const std::string replayed = Session().Replay(recorded);
  if (replayed == recorded) return;
  const char* write = getenv("LYN_GOLDEN_WRITE");
  if (write != nullptr && std::string(write) == "1") {
    std::ofstream(file, std::ios::binary) << replayed;
    ADD_FAILURE() << "written anew, to be reviewed: " << file;
    return;
  }
  const fs::path now = fs::temp_directory_path() / (GetParam() + ".t.now");
  std::ofstream(now, std::ios::binary) << replayed;
  const std::string diff = Captured("diff -u '" + file.string() + "' '" + now.string() + "'").first;
  fs::remove(now);
  ADD_FAILURE() << diff;
}

INSTANTIATE_TEST_SUITE_P(Scenarios, Scenario, ::testing::ValuesIn(ScenarioNames()),
                         [](const auto& info) {
                           std::string name = info.param;
                           std::replace(name.begin(), name.end(), '-', '_');
                           return name;
                         });

}  // namespace
