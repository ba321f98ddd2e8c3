// lynsim ls DIR WINPATH [--json]: the files of a machine's folder (or one
// file) with their attributes, as the machine reports them.
#include <algorithm>
#include <iomanip>
#include <iostream>
#include <memory>
#include <stdexcept>
#include <vector>

#include "attribute_letters.h"
#include "command.h"
#include "platform/sim/machine/machine.h"
#include "record_output.h"

namespace lyn::lynsim {
namespace {

struct Options {
  std::string folder;
  std::string path;
  bool json = false;
};

struct Entry {
  std::string name;
  win::DWORD attributes = 0;
  std::uintmax_t size = 0;
};

Entry Describe(const sim::Machine& machine, const std::string& windowsPath, std::string name,
               const sim::HostStatus& status) {
  return Entry{std::move(name), machine.Attributes(windowsPath), status.folder ? 0 : status.size};
}

std::vector<Entry> List(const sim::Machine& machine, const sim::ResolvedPath& target) {
  const auto status = machine.drives().Status(target.drivePath);
  if (!status) return {};
  if (!status->folder) {
    const std::string name = target.windowsPath.substr(target.windowsPath.rfind('\\') + 1);
    return {Describe(machine, target.windowsPath, name, *status)};
  }
  std::vector<sim::HostEntry> listed;
  machine.drives().List(target.drivePath, listed);
  std::vector<Entry> entries;
  const std::string prefix =
      target.windowsPath.ends_with('\\') ? target.windowsPath : target.windowsPath + "\\";
  for (const sim::HostEntry& item : listed) {
    entries.push_back(Describe(machine, prefix + item.name, item.name, item.status));
  }
  std::sort(entries.begin(), entries.end(),
            [](const Entry& a, const Entry& b) { return a.name < b.name; });
  return entries;
}

int RunLs(const Options& options) {
  const sim::Machine machine = sim::Machine::Open(options.folder);
  const sim::ResolvedPath target = machine.Resolve(options.path);
  if (!target.exists)
    throw std::runtime_error("no file or folder '" + options.path + "' on the machine");
  const std::vector<Entry> entries = List(machine, target);
  if (options.json) {
    Record list = Record::array();
    for (const Entry& e : entries) {
      list.push_back({{"name", e.name}, {"attributes", e.attributes}, {"size", e.size}});
    }
    std::cout << Record{{"path", target.windowsPath}, {"entries", list}}.dump() << "\n";
    return kExitDone;
  }
  for (const Entry& e : entries) {
    const bool folder = (e.attributes & win::FILE_ATTRIBUTE_DIRECTORY) != 0;
    std::cout << AttributeLetters(e.attributes) << " " << std::right << std::setw(12)
              << (folder ? std::string() : std::to_string(e.size)) << "  " << e.name
              << (folder ? "\\" : "") << "\n";
  }
  return kExitDone;
}

const Command kLs([](CLI::App& app) {
  auto options = std::make_shared<Options>();
  CLI::App& command = AddCommand(
      app, "ls",
      "The files of a folder of the machine (or one file) with their attributes: D folder, "
      "R read-only, H hidden, S system, A archive; then the size and the name",
      "lynsim ls /tmp/m 'C:\\Program Files\\LYN'");
  AddMachineFolder(command, options->folder);
  command.add_option("WINPATH", options->path, "the folder or file, as a Windows path")->required();
  AddJsonFlag(command, options->json);
  return [options] { return RunLs(*options); };
});

}  // namespace
}  // namespace lyn::lynsim
