// lynsim fileinfo DIR PATH | --host FILE: the version information of a file
// of the machine, as the setup program reads it, or of a file of the host.
#include <fstream>
#include <iostream>
#include <iterator>
#include <stdexcept>
#include <vector>

#include "command.h"
#include "inspection_host.h"
#include "platform/sim/pe/pe_file.h"
#include "platform/sim/pe/version_block.h"
#include "platform/sim/sim_platform.h"
#include "sysinfo/file_version.h"

namespace lyn::lynsim {
namespace {

void Print(const FileVersionInfo& info) {
  const std::pair<const char*, const std::string*> fields[] = {
      {"StrucVersion", &info.StrucVersion},
      {"FileVersion", &info.FileVersion},
      {"ProductVersion", &info.ProductVersion},
      {"FileFlags", &info.FileFlags},
      {"FileOS", &info.FileOS},
      {"FileType", &info.FileType},
      {"FileSubtype", &info.FileSubtype},
  };
  for (const auto& [name, value] : fields) {
    std::cout << name << ":" << (value->empty() ? "" : " ") << *value << "\n";
  }
}

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

int RunFileInfo(const Args& args) {
  if (args.size() != 2) throw UsageError{"fileinfo takes a machine folder and a Windows path"};
  Print(args[0] == "--host" ? HostFileInfo(args[1]) : MachineFileInfo(args[0], args[1]));
  return 0;
}

const Command kFileInfo("fileinfo", "fileinfo DIR WINPATH | fileinfo --host FILE", &RunFileInfo);

}  // namespace
}  // namespace lyn::lynsim
