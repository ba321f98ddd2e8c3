// lynsim diff BEFORE AFTER [--json]: what differs between two machines, one
// line per difference. Keep a "before" with `cp -a` of a machine folder, run
// something on the machine, then compare.
#include <exception>
#include <iostream>
#include <memory>

#include "command.h"
#include "machine_diff.h"
#include "record_output.h"

namespace lyn::lynsim {
namespace {

constexpr int kExitDiffer = 1;
constexpr int kExitTrouble = 2;

struct Options {
  std::string before;
  std::string after;
  bool json = false;
};

constexpr const char* kStatuses =
    "Keep a machine before a run with 'cp -a /tmp/m /tmp/before', then compare.\n"
    "Lines, sorted: file|folder added|removed, file changed (content or attributes),\n"
    "key added|removed, value added|removed|changed (with its type), access\n"
    "added|removed (an owner, group or list entry of an object on both machines), and\n"
    "registration added|removed (a library registered by its DllRegisterServer).\n"
    "Exit statuses:\n"
    "  0  the machines are the same\n"
    "  1  they differ\n"
    "  2  the command line is wrong, or a folder is not a machine that can be read\n";

int RunDiff(const Options& options) {
  std::vector<std::string> lines;
  try {
    lines = DiffMachines(sim::Machine::Open(options.before), sim::Machine::Open(options.after));
  } catch (const std::exception& e) {
    PrintError(e.what());
    return kExitTrouble;
  }
  if (options.json) {
    Record differences = Record::array();
    for (const std::string& line : lines) {
      const auto colon = line.find(": ");
      differences.push_back({{"change", line.substr(0, colon)}, {"what", line.substr(colon + 2)}});
    }
    std::cout << Record{{"same", lines.empty()}, {"differences", differences}}.dump() << "\n";
  } else {
    for (const std::string& line : lines) std::cout << line << "\n";
  }
  return lines.empty() ? kExitDone : kExitDiffer;
}

const Command kDiff([](CLI::App& app) {
  auto options = std::make_shared<Options>();
  CLI::App& command = AddCommand(app, "diff",
                                 "What differs between two machines: files, registry values, "
                                 "access lists and registrations, one line each",
                                 "lynsim diff /tmp/before /tmp/m");
  command.footer(kStatuses + ("\n" + command.get_footer()));
  command.add_option("BEFORE", options->before, "the machine's folder before")->required();
  command.add_option("AFTER", options->after, "the machine's folder after")->required();
  AddJsonFlag(command, options->json);
  return [options] { return RunDiff(*options); };
});

}  // namespace
}  // namespace lyn::lynsim
