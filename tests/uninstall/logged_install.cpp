#include "uninstall/logged_install.h"

#include <vector>

#include "engine/install_log.h"
#include "engine/manifest_rows.h"
#include "integration/registry.h"
#include "uninstall/uninstall_log.h"

namespace lyn::uninstall {
namespace {

std::string SpecialFolder(Platform& platform, int csidl) {
  char path[win::MAX_PATH] = {};
  platform.shell32.SHGetFolderPathA(0, csidl, 0, 0, path);
  return path;
}

std::string FolderOf(const SetupState& state, std::string_view code) {
  if (code == WSPSF || code == WSP) return state.SystemFolder;
  if (code == PFCFMSDAO) return state.DaoFolder;
  if (code == AP) return state.ProgramFolder;
  if (code == APM) return state.MapsFolder;
  return state.WindowsFolder;
}

std::string SectionOf(std::string_view code) {
  if (code == WSPSF || code == WSP) return "[SYSTEM]";
  if (code == PFCFMSDAO) return "[COMMON]";
  if (code == AP) return "[AP]";
  if (code == APM) return "[APM]";
  return "[WINDOWS]";
}

}  // namespace

LoggedInstall InstallOnMachine(fakes::MachinePlatform& machine) {
  Platform& platform = machine.platform();
  LoggedInstall install;
  SetupState& state = install.state;
  char folder[win::MAX_PATH] = {};
  platform.kernel32.GetWindowsDirectoryA(folder, sizeof folder);
  state.WindowsFolder = folder;
  platform.kernel32.GetSystemDirectoryA(folder, sizeof folder);
  state.SystemFolder = folder;
  state.DaoFolder =
      SpecialFolder(platform, win::CSIDL_PROGRAM_FILES_COMMON) + "\\Microsoft Shared\\DAO";
  state.ProgramFolder = SpecialFolder(platform, win::CSIDL_PROGRAM_FILES) + "\\LYN";
  state.MapsFolder = state.ProgramFolder + "\\Maps";
  state.UninstallLogName = "UnInstallLYN.log";
  state.InstallLogName = "InstallInfo.log";
  install.programGroup = SpecialFolder(platform, win::CSIDL_COMMON_PROGRAMS) + "\\LYN";
  install.desktop = SpecialFolder(platform, win::CSIDL_DESKTOP);

  machine.ProgramMakeFolder(state.MapsFolder);
  OpenInstallLogs(platform, state);
  WriteLog(platform, false, "[PROGRAM FILE FOLDER]", state.ProgramFolder, "Successful");
  std::string lastSection;
  std::vector<std::string> registered;
  for (const ManifestEntry& row : kManifestRows) {
    if (row.FileName == "SPARE") continue;
    const std::string path = FolderOf(state, row.Destination) + "\\" + std::string(row.FileName);
    machine.ProgramPutFile(path, std::string(row.FileName) + " " + std::string(row.ShippedVersion));
    registered.push_back(path);
    const std::string section = SectionOf(row.Destination);
    WriteLog(platform, false, section == lastSection ? "" : section, path, "Successful");
    lastSection = section;
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
