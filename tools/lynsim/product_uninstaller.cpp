#include "product_uninstaller.h"

#include <optional>
#include <stdexcept>
#include <string>

#include "platform/sim/machine/case_fold.h"
#include "platform/sim/registry/registry_store.h"
#include "uninstall/install_places.h"

namespace lyn::lynsim {
namespace {

// The entry as 32-bit programs write it: on a 64-bit system their view of
// SOFTWARE is the Wow6432Node key.
std::string EntryKey(const sim::Machine& machine) {
  const std::string path(uninstall::kUninstallKeyPath);
  const std::string software = "SOFTWARE\\";
  const std::string view = machine.profile().Wow64 ? software + "Wow6432Node\\" : software;
  return "HKEY_LOCAL_MACHINE\\" + view + path.substr(software.size());
}

bool IsFile(const sim::Machine& machine, const std::string& path) {
  const sim::ResolvedPath resolved = machine.Resolve(path);
  return resolved.exists && !resolved.folder;
}

bool IsFolder(const sim::Machine& machine, const std::string& path) {
  const sim::ResolvedPath resolved = machine.Resolve(path);
  return resolved.exists && resolved.folder;
}

// A folder an install makes before it writes anything that records it: the
// program folder ("LYN", "LYN01" to "LYN99") or the setup program's
// temporary folder.
bool InstallFolderThere(const sim::Machine& machine) {
  const sim::Profile& profile = machine.profile();
  if (IsFolder(machine, profile.TempPath + "LYNSetup")) return true;
  for (int number = 0; number <= 99; ++number) {
    const std::string digits = number == 0 ? "" : std::to_string(100 + number).substr(1);
    if (IsFolder(machine, profile.ProgramFiles + "\\LYN" + digits)) return true;
  }
  return false;
}

}  // namespace

void FindUninstaller(const sim::Machine& machine, std::ostream& notes) {
  const std::string key = EntryKey(machine);
  const sim::RegistryStore registry(machine.State());
  const std::optional<sim::RegistryValue> value = registry.GetValue(key, "UninstallString");
  const std::string windows = machine.profile().WindowsDirectory;
  const std::string program = windows + "\\" + std::string(uninstall::kUninstallerName);
  const std::string log = windows + "\\" + std::string(uninstall::kUninstallLogName);
  std::string missing;
  if (value) {
    std::string ansi(value->data.begin(), value->data.end());
    ansi = ansi.substr(0, ansi.find('\0'));
    const std::string named = machine.AnsiToUtf8(ansi);
    if (!sim::EqualFolded(named.substr(named.rfind('\\') + 1), uninstall::kUninstallerName)) {
      throw std::runtime_error("the uninstall entry names '" + named +
                               "', which is not the product's uninstaller");
    }
    if (IsFile(machine, named)) return;
    missing = "the uninstall entry's program '" + named + "' is not on the machine";
  } else {
    missing = "no uninstall entry 'HKLM" + key.substr(key.find('\\')) + "'";
  }
  if (IsFile(machine, program)) {
    notes << "lynsim: " << missing << "; running '" << program << "'\n";
    return;
  }
  if (value || IsFile(machine, log) || InstallFolderThere(machine)) {
    notes << "lynsim: " << missing << " (nor is '" << program
          << "'); running the uninstaller the product ships\n";
    return;
  }
  throw std::runtime_error(missing + ", and neither '" + program + "' nor '" + log + "' is there");
}

}  // namespace lyn::lynsim
