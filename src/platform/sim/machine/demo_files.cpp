// Furnishing a new demo machine with the product cabinet and system files.
#include "platform/sim/machine/demo_files.h"

#include <string>

#include "platform/sim/machine/host_view.h"
#include "platform/sim/machine/system_files.h"

namespace lyn::sim {
namespace {

namespace fs = std::filesystem;

// The Windows folder of a system file's destination code.
std::string FolderOf(const Profile& profile, std::string_view destination) {
  if (destination == WSP) return profile.SystemDirectory;
  if (destination == PFCFMSDAO) return profile.CommonFiles + "\\Microsoft Shared\\DAO";
  return profile.WindowsDirectory;
}

void CopyInto(const Machine& machine, const fs::path& source, const std::string& folder,
              std::string_view fileName) {
  const fs::path target = HostPathOf(machine, folder);
  fs::create_directories(target);
  fs::copy_file(source, target / fileName, fs::copy_options::overwrite_existing);
}

}  // namespace

void PlaceDemoFiles(const Machine& machine, const fs::path& productFolder) {
  const Profile& profile = machine.profile();
  CopyInto(machine, productFolder / "LYN.CAB", profile.CurrentDirectory, "LYN.CAB");
  const std::string_view system = SystemOf(profile);
  for (const SystemFile& file : kSystemFiles) {
    if (file.system != system) continue;
    CopyInto(machine, productFolder / "system" / file.system / file.fileName,
             FolderOf(profile, file.destination), file.fileName);
  }
}

}  // namespace lyn::sim
