#include "shell/fill_setup_state.h"

#include "sysinfo/special_folders.h"

namespace lyn {

void FillSetupState(Platform& platform, SetupState& state) {
  state.SectionVersion = "[VERSION]";
  state.SectionProgramFileFolder = "[PROGRAM FILE FOLDER]";
  state.SectionProgramFiles = "[PROGRAM FILES]";
  state.SectionSystem = "[SYSTEM]";
  state.SectionWindows = "[WINDOWS]";
  state.SectionCommon = "[COMMON]";
  state.SectionAP = "[AP]";
  state.SectionAPM = "[APM]";
  state.SectionRegistration = "[REGISTRATION]";
  state.SectionProgramGroup = "[PROGRAM GROUP]";
  state.SectionProgramGroupShortcut = "[PROGRAM GROUP SHORTCUT]";
  state.SectionDesktopShortcut = "[DESKTOP SHORTCUT]";
  state.SectionUninstallReg = "[UNINSTALL REG]";
  state.SectionEnd = "[END]";

  state.OutcomeSuccessful = "Successful";
  state.OutcomeFailed = "Failed";
  state.OutcomeNA = "NA";

  state.TempFolder = GetTempDir(platform);
  state.SetupTempFolder = state.TempFolder + "LYNSetup";
  state.WindowsFolder = GetWindowsDir(platform);
  state.SystemFolder = GetSystemDir(platform);
  state.CommonFilesFolder = GetSpecialFolderPath(platform, win::CSIDL_PROGRAM_FILES_COMMON);
  state.ProgramFilesFolder = GetSpecialFolderPath(platform, win::CSIDL_PROGRAM_FILES);
  state.SharedFolder = state.CommonFilesFolder + "\\" + "Microsoft Shared";
  state.DaoFolder = state.SharedFolder + "\\" + "DAO";
  state.ProgramFolder = state.ProgramFilesFolder + "\\" + "LYN";
  state.UninstallLogName = "UnInstallLYN.log";
  state.InstallLogName = "InstallInfo.log";
}

}  // namespace lyn
