#include "integration/uninstall_entry.h"

#include "integration/registry.h"

namespace lyn {
namespace {

constexpr const char* kUninstallParent = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
constexpr const char* kEntryName = "LYN67";
constexpr const char* kPublisher = "Orrin Works";
// The size the platform's program list shows, in kilobytes.
constexpr win::DWORD kEstimatedSize = 22288;

}  // namespace

bool WriteUninstallEntry(Platform& platform, SetupState& state, const std::string& iconPath,
                         const std::string& uninstallPath) {
  const std::string keyPath = std::string(kUninstallParent) + "\\" + kEntryName;
  const win::HKEY machine = win::HKEY_LOCAL_MACHINE;
  DeleteRegKey(platform, machine, kUninstallParent, kEntryName);
  // A previous entry that could not be deleted is left as it is.
  if (GetRegValue(platform, machine, keyPath, "UninstallString").empty()) {
    SetRegString(platform, machine, keyPath, "DisplayIcon", iconPath);
    SetRegString(platform, machine, keyPath, "DisplayName", "Lynwood Catalog Suite");
    SetRegString(platform, machine, keyPath, "DisplayVersion", "6.7.0.0");
    SetRegString(platform, machine, keyPath, "Publisher", kPublisher);
    SetRegString(platform, machine, keyPath, "UninstallString", uninstallPath);
    SetRegDwordLM(platform, keyPath, "EstimatedSize", kEstimatedSize);
  }
  const bool verified = GetRegValue(platform, machine, keyPath, "Publisher") == kPublisher;
  state.UninstallKeyPath = keyPath;
  return verified;
}

}  // namespace lyn
