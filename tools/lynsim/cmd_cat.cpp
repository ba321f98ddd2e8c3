// lynsim cat DIR WINPATH [--raw]: prints a text file of the machine, converted
// from the machine's ANSI code page to UTF-8 with its CR LF line ends as LF.
#include <iostream>
#include <memory>
#include <stdexcept>
#include <vector>

#include "command.h"
#include "platform/sim/machine/machine.h"

namespace lyn::lynsim {
namespace {

struct Options {
  std::string folder;
  std::string path;
  bool raw = false;
};

int RunCat(const Options& options) {
  const sim::Machine machine = sim::Machine::Open(options.folder);
  const sim::ResolvedPath file = machine.Resolve(options.path);
  if (!file.exists) throw std::runtime_error("no file '" + options.path + "' on the machine");
  if (file.folder) throw std::runtime_error("'" + file.windowsPath + "' is a folder (lynsim ls)");
  std::vector<std::uint8_t> bytes;
  if (const int error = machine.drives().Read(file.drivePath, bytes); error != 0) {
    throw std::runtime_error("cannot read '" + file.windowsPath +
                             "': " + std::error_code(-error, std::generic_category()).message());
  }
  const std::string content(bytes.begin(), bytes.end());
  if (options.raw) {
    std::cout << content;
    return kExitDone;
  }
  std::string text = machine.AnsiToUtf8(content);
  std::string lines;
  lines.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    lines += text[i];
  }
  std::cout << lines;
  return kExitDone;
}

const Command kCat([](CLI::App& app) {
  auto options = std::make_shared<Options>();
  CLI::App& command = AddCommand(
      app, "cat",
      "Prints a text file of the machine, converted from its ANSI code page to UTF-8, with LF "
      "line ends",
      "lynsim cat /tmp/m 'C:\\Windows\\UnInstallLYN.log'");
  AddMachineFolder(command, options->folder);
  command.add_option("WINPATH", options->path, "the file, as a Windows path")->required();
  command.add_flag("--raw", options->raw, "print the file's bytes unchanged");
  return [options] { return RunCat(*options); };
});

}  // namespace
}  // namespace lyn::lynsim
