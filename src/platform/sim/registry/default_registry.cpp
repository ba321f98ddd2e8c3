#include "platform/sim/registry/default_registry.h"

#include <string>

#include "platform/sim/registry/registry_store.h"

namespace lyn::sim {
namespace {

// A REG_SZ value as the ANSI functions store it: the text and its NUL. The
// profile's folders are ASCII, the same in every code page.
RegistryValue StringValue(const char* name, const std::string& text) {
  std::vector<std::uint8_t> data(text.begin(), text.end());
  data.push_back(0);
  return RegistryValue{name, win::REG_SZ, std::move(data)};
}

void WriteSoftwareKeys(const RegistryStore& registry, const Profile& profile,
                       const std::string& software) {
  const std::string currentVersion = software + "\\Microsoft\\Windows\\CurrentVersion";
  registry.CreateKey(currentVersion + "\\Uninstall");
  registry.SetValue(currentVersion, StringValue("ProgramFilesDir", profile.ProgramFiles));
  registry.SetValue(currentVersion, StringValue("CommonFilesDir", profile.CommonFiles));
  registry.CreateKey(software + "\\Classes");
}

}  // namespace

void WriteDefaultRegistry(StateStore& store, const Profile& profile) {
  store.Write([&](const Transaction&) {
    const RegistryStore registry(store);
    for (const std::string& root : RegistryRoots()) registry.CreateKey(root);
    const std::string software = "HKEY_LOCAL_MACHINE\\SOFTWARE";
    WriteSoftwareKeys(registry, profile, software);
    if (profile.Wow64) WriteSoftwareKeys(registry, profile, software + "\\Wow6432Node");
    const std::string windowsNt = software + "\\Microsoft\\Windows NT\\CurrentVersion";
    registry.CreateKey(windowsNt);
    registry.SetValue(windowsNt,
                      StringValue("CurrentVersion", std::to_string(profile.dwMajorVersion) + "." +
                                                        std::to_string(profile.dwMinorVersion)));
    registry.SetValue(windowsNt,
                      StringValue("CurrentBuildNumber", std::to_string(profile.dwBuildNumber)));
    registry.SetValue(windowsNt, StringValue("SystemRoot", profile.WindowsDirectory));
    registry.CreateKey("HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control");
    registry.CreateKey("HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion");
  });
}

}  // namespace lyn::sim
