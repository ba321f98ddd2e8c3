// lynsim ls DIR WINPATH [--json]: the files of a machine's folder, of a
// pattern ("C:\Windows\*.exe") or one file, with their attributes, sizes and
// times of last change, as the machine reports them.
#include <algorithm>
#include <ctime>
#include <iomanip>
#include <iostream>
#include <memory>
#include <stdexcept>
#include <vector>

#include "attribute_letters.h"
#include "command.h"
#include "platform/sim/machine/machine.h"
#include "platform/sim/machine/wildcard.h"
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
  std::time_t modified = 0;
};

Entry Describe(const sim::Machine& machine, const std::string& windowsPath, std::string name,
               const sim::HostStatus& status) {
  return Entry{std::move(name), machine.Attributes(windowsPath), status.folder ? 0 : status.size,
               status.modified.tv_sec};
}

std::string FileName(const std::string& windowsPath) {
  return windowsPath.substr(windowsPath.find_last_of("\\/") + 1);
}

// The entries of a folder whose names match the pattern ("*" for all).
std::vector<Entry> List(const sim::Machine& machine, const sim::ResolvedPath& folder,
                        const std::string& pattern) {
  std::vector<sim::HostEntry> listed;
  machine.drives().List(folder.drivePath, listed);
  std::vector<Entry> entries;
  const std::string prefix =
      folder.windowsPath.ends_with('\\') ? folder.windowsPath : folder.windowsPath + "\\";
  for (const sim::HostEntry& item : listed) {
    if (item.status.link || !sim::MatchesPattern(item.name, pattern)) continue;
    entries.push_back(Describe(machine, prefix + item.name, item.name, item.status));
  }
  std::sort(entries.begin(), entries.end(),
            [](const Entry& a, const Entry& b) { return a.name < b.name; });
  return entries;
}

// The time as "YYYY-MM-DD HH:MM" (text) or ISO 8601 (JSON), in UTC.
std::string TimeText(std::time_t time, const char* format) {
  std::tm utc{};
  gmtime_r(&time, &utc);
  char text[32];
  std::strftime(text, sizeof text, format, &utc);
  return text;
}

int RunLs(const Options& options) {
  const sim::Machine machine = sim::Machine::Open(options.folder);
  const std::string& path = options.path;
  const std::size_t separator = path.find_last_of("\\/");
  const std::string last = separator == std::string::npos ? path : path.substr(separator + 1);
  const bool pattern = last.find_first_of("*?") != std::string::npos;
  const std::string listed =
      pattern ? (separator == std::string::npos ? std::string(".") : path.substr(0, separator + 1))
              : path;
  const sim::ResolvedPath target = machine.Resolve(listed);
  if (!target.exists) throw std::runtime_error("no file or folder '" + listed + "' on the machine");
  const std::vector<Entry> entries =
      pattern ? List(machine, target, last)
      : target.folder
          ? List(machine, target, "*")
          : std::vector<Entry>{Describe(machine, target.windowsPath, FileName(target.windowsPath),
                                        *machine.drives().Status(target.drivePath))};
  if (pattern && entries.empty()) {
    throw std::runtime_error("no file matches '" + last + "' in " + target.windowsPath);
  }
  if (options.json) {
    Record list = Record::array();
    for (const Entry& e : entries) {
      list.push_back({{"name", e.name},
                      {"attributes", e.attributes},
                      {"size", e.size},
                      {"modified", TimeText(e.modified, "%Y-%m-%dT%H:%M:%SZ")}});
    }
    std::cout << Record{{"path", target.windowsPath}, {"entries", list}}.dump() << "\n";
    return kExitDone;
  }
  for (const Entry& e : entries) {
    const bool folder = (e.attributes & win::FILE_ATTRIBUTE_DIRECTORY) != 0;
    std::cout << AttributeLetters(e.attributes) << "  " << TimeText(e.modified, "%Y-%m-%d %H:%M")
              << " " << std::right << std::setw(12)
              << (folder ? std::string() : std::to_string(e.size)) << "  " << e.name
              << (folder ? "\\" : "") << "\n";
  }
  return kExitDone;
}

const Command kLs([](CLI::App& app) {
  auto options = std::make_shared<Options>();
  CLI::App& command = AddCommand(
      app, "ls",
      "The files of a folder of the machine, of a pattern with * and ?, or one file: the "
      "attributes (D folder, R read-only, H hidden, S system, A archive), the time of the last "
      "change (UTC), the size and the name",
      "lynsim ls /tmp/m 'C:\\Windows\\system32\\*.ocx'");
  AddMachineFolder(command, options->folder);
  command.add_option("WINPATH", options->path, "the folder, pattern or file, as a Windows path")
      ->required();
  AddJsonFlag(command, options->json);
  return [options] { return RunLs(*options); };
});

}  // namespace
}  // namespace lyn::lynsim
