// lynsim diff BEFORE AFTER: what differs between two machines, one line per
// difference. Keep a "before" with `cp -a` of a machine folder, run
// something on the machine, then compare.
#include <exception>
#include <iostream>
#include <memory>

#include "command.h"
#include "machine_diff.h"

namespace lyn::lynsim {
namespace {

constexpr int kExitDiffer = 1;
constexpr int kExitTrouble = 2;

struct Options {
  std::string before;
  std::string after;
};

constexpr const char* kStatuses =
    "Keep a machine before a run with 'cp -a /tmp/m /tmp/before', then compare.\n"
    "Lines, sorted: file|folder added|removed, file changed (content or attributes),\n"
    "key added|removed, value added|removed|changed (with its type), and access\n"
    "added|removed (an owner, group or list entry of an object on both machines).\n"
    "Exit statuses:\n"
    "  0  the machines are the same\n"
    "  1  they differ\n"
    "  2  the command line is wrong, or a folder is not a machine that can be read\n";

int RunDiff(const Options& options) {
  try {
    const sim::Machine before = sim::Machine::Open(options.before);
    const sim::Machine after = sim::Machine::Open(options.after);
    const std::vector<std::string> lines = DiffMachines(before, after);
    for (const std::string& line : lines) std::cout << line << "\n";
    return lines.empty() ? kExitDone : kExitDiffer;
  } catch (const std::exception& e) {
    std::cerr << "lynsim: " << e.what() << "\n";
    return kExitTrouble;
  }
}

const Command kDiff([](CLI::App& app) {
  auto options = std::make_shared<Options>();
  CLI::App& command = AddCommand(app, "diff",
                                 "What differs between two machines: files, registry values and "
                                 "access lists, one line each",
                                 "lynsim diff /tmp/before /tmp/m");
  command.footer(kStatuses + ("\n" + command.get_footer()));
  command.add_option("BEFORE", options->before, "the machine's folder before")->required();
  command.add_option("AFTER", options->after, "the machine's folder after")->required();
  return [options] { return RunDiff(*options); };
});

}  // namespace
}  // namespace lyn::lynsim
