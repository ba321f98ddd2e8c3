// lynsim: the emulated Windows machine's command line.
#include <exception>
#include <iostream>
#include <map>
#include <string>

#include "command.h"

namespace lyn::lynsim {
namespace {

struct Entry {
  const char* usage;
  CommandFunction run;
};

std::map<std::string, Entry>& Registry() {
  static std::map<std::string, Entry> registry;
  return registry;
}

void PrintUsage(std::ostream& out) {
  out << "usage: lynsim COMMAND [ARGS]\n";
  for (const auto& [name, entry] : Registry()) out << "  lynsim " << entry.usage << "\n";
}

}  // namespace

Command::Command(const char* name, const char* usage, CommandFunction run) {
  Registry()[name] = Entry{usage, run};
}

}  // namespace lyn::lynsim

int main(int argc, char** argv) {
  using namespace lyn::lynsim;
  if (argc < 2 || std::string(argv[1]) == "--help" || std::string(argv[1]) == "help") {
    PrintUsage(argc < 2 ? std::cerr : std::cout);
    return argc < 2 ? 2 : 0;
  }
  const auto found = Registry().find(argv[1]);
  if (found == Registry().end()) {
    std::cerr << "lynsim: unknown command '" << argv[1] << "' (see lynsim --help)\n";
    return 2;
  }
  try {
    return found->second.run(Args(argv + 2, argv + argc));
  } catch (const UsageError& e) {
    std::cerr << "lynsim: " << e.message << " (usage: lynsim " << found->second.usage << ")\n";
    return 2;
  } catch (const std::exception& e) {
    std::cerr << "lynsim: " << e.what() << "\n";
    return 1;
  }
}
