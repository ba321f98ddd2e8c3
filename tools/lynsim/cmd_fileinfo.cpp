// lynsim fileinfo DIR WINPATH | --host FILE [--json]: the version
// information of a file of the machine, as the setup program reads it, or of
// a file of the host.
#include <fstream>
#include <iostream>
#include <iterator>
#include <memory>
#include <stdexcept>
#include <vector>

#include "command.h"
#include "inspection_host.h"
#include "platform/sim/pe/pe_file.h"
#include "platform/sim/pe/version_block.h"
#include "platform/sim/sim_platform.h"
#include "record_output.h"
#include "sysinfo/file_version.h"

namespace lyn::lynsim {
namespace {

struct Options {
  std::string folder;
  std::string path;
  std::string hostFile;
  bool json = false;
};

FileVersionInfo HostFileInfo(const std::string& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read '" + file + "'");
  const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in),
                                        std::istreambuf_iterator<char>()};
  const auto block = sim::pe::ReadVersionResource(bytes);
  if (!block) return {};
  return DescribeFixedFileInfo(*sim::pe::FixedFileInfo(*block));
}

FileVersionInfo MachineFileInfo(const std::string& folder, const std::string& path) {
  InspectionHost host;
  sim::SimPlatform machine(sim::Machine::Open(folder), host);
  if (!machine.machine().Resolve(path).exists) {
    throw std::runtime_error("no file '" + path + "' on the machine");
  }
  return GetFileVersionInformation(machine.platform(), path);
}

int RunFileInfo(const Options& options) {
  const bool onHost = !options.hostFile.empty();
  if (onHost == !options.folder.empty()) {
    throw UsageError{"fileinfo takes a machine folder and a Windows path, or --host FILE"};
  }
  if (!onHost && options.path.empty()) throw UsageError{"no Windows path given"};
  const FileVersionInfo info =
      onHost ? HostFileInfo(options.hostFile) : MachineFileInfo(options.folder, options.path);
  Record record;
  record["StrucVersion"] = info.StrucVersion;
  record["FileVersion"] = info.FileVersion;
  record["ProductVersion"] = info.ProductVersion;
  record["FileFlags"] = info.FileFlags;
  record["FileOS"] = info.FileOS;
  record["FileType"] = info.FileType;
  record["FileSubtype"] = info.FileSubtype;
  PrintRecord(std::cout, record, options.json);
  return kExitDone;
}

const Command kFileInfo([](CLI::App& app) {
  auto options = std::make_shared<Options>();
  CLI::App& command = AddCommand(
      app, "fileinfo",
      "The version information of a file of the machine, as the setup program reads it, or of "
      "a file of the host",
      "lynsim fileinfo /tmp/m 'C:\\Windows\\system32\\msjint40.dll'");
  command.add_option("DIR", options->folder, "the machine's folder");
  command.add_option("WINPATH", options->path, "the file's Windows path on the machine");
  command.add_option("--host", options->hostFile, "a file of the host instead")->type_name("FILE");
  AddJsonFlag(command, options->json);
  return [options] { return RunFileInfo(*options); };
});

}  // namespace
}  // namespace lyn::lynsim
