#include "uninstall/logged_install.h"

#include <vector>

#include "engine/install_log.h"
#include "engine/manifest_rows.h"
#include "engine/placement.h"
#include "integration/registry.h"
#include "shell/fill_setup_state.h"
#include "uninstall/uninstall_log.h"

namespace lyn::uninstall {
namespace {

std::string SpecialFolder(Platform& platform, int csidl) {
  char path[win::MAX_PATH] = {};
  platform.shell32.SHGetFolderPathA(0, csidl, 0, 0, path);
  return path;
}

}  // namespace

LoggedInstall InstallOnMachine(fakes::MachinePlatform& machine) {
  Platform& platform = machine.platform();
  LoggedInstall install;
  SetupState& state = install.state;
  FillSetupState(platform, state);
  state.MapsFolder = state.ProgramFolder + "\\Maps";
  install.programGroup = SpecialFolder(platform, win::CSIDL_COMMON_PROGRAMS) + "\\LYN";
  install.desktop = SpecialFolder(platform, win::CSIDL_DESKTOP);

  machine.ProgramMakeFolder(state.MapsFolder);
  OpenInstallLogs(platform, state);
  WriteLog(platform, false, "[PROGRAM FILE FOLDER]", state.ProgramFolder, "Successful");
  std::vector<std::string> registered;
  for (const ManifestEntry& row : kManifestRows) {
    if (row.FileName == "SPARE") continue;
    const Placement placement = PlacementOf(state, row.Destination);
    const std::string path = *placement.folder + "\\" + std::string(row.FileName);
    machine.ProgramPutFile(path, std::string(row.FileName) + " " + std::string(row.ShippedVersion));
    registered.push_back(path);
    WriteLog(platform, false, *placement.section, path, "Successful");
    placement.section->clear();
  }
  const char* header = "[REGISTRATION]";
  for (const std::string& path : registered) {
    WriteLog(platform, false, header, path, "Successful");
    header = "";
  }
  machine.ProgramMakeFolder(install.programGroup);
  WriteLog(platform, false, "[PROGRAM GROUP]", install.programGroup, "Successful");
  header = "[PROGRAM GROUP SHORTCUT]";
  for (const char* name : {"\\LYN.lnk", "\\Help QY.lnk", "\\UninstallLYN67.lnk"}) {
    machine.ProgramPutFile(install.programGroup + name, "shortcut");
    WriteLog(platform, false, header, install.programGroup + name, "Successful");
    header = "";
  }
  machine.ProgramPutFile(install.desktop + "\\LYN.lnk", "shortcut");
  WriteLog(platform, false, "[DESKTOP SHORTCUT]", install.desktop + "\\LYN.lnk", "Successful");
  SetRegString(platform, win::HKEY_LOCAL_MACHINE, kUninstallKeyPath, "DisplayIcon",
               state.ProgramFolder + "\\LYN.exe");
  SetRegString(platform, win::HKEY_LOCAL_MACHINE, kUninstallKeyPath, "UninstallString",
               state.WindowsFolder + "\\UninstallLYN67.exe");
  WriteLog(platform, false, "[UNINSTALL REG]", std::string(kUninstallKeyPath), "Successful");
  WriteLog(platform, false, "[END]", "", "");
  CloseInstallLogs(platform);
  return install;
}

std::string UninstallLogText(fakes::MachinePlatform& machine) {
  char folder[win::MAX_PATH] = {};
  machine.platform().kernel32.GetWindowsDirectoryA(folder, sizeof folder);
  return machine.ReadFile(std::string(folder) + "\\UnInstallLYN.log");
}

}  // namespace lyn::uninstall
