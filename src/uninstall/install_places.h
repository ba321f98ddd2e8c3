// Where the install run puts the product on this machine, found as the setup
// program finds it: the folders come from the platform, never from the log,
// so that a log can only choose among the places the install itself could
// have used, and cannot point the uninstaller anywhere else.
#pragma once

#include <string>
#include <string_view>

#include "platform/api/platform.h"
#include "uninstall/owned_folders.h"

namespace lyn::uninstall {

inline constexpr std::string_view kUninstallLogName = "UnInstallLYN.log";
inline constexpr std::string_view kInstallLogName = "InstallInfo.log";
inline constexpr std::string_view kUninstallerName = "UninstallLYN67.exe";
inline constexpr std::string_view kProgramFile = "LYN.exe";
inline constexpr std::string_view kUninstallKeyPath =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\LYN67";
// The shortcut files of the program group, in the order the run makes them,
// and the desktop shortcut's.
inline constexpr std::string_view kGroupShortcuts[] = {"LYN.lnk", "Help QY.lnk",
                                                       "UninstallLYN67.lnk"};
inline constexpr std::string_view kDesktopShortcut = "LYN.lnk";

// Each folder as the setup program's own queries give it; a special folder
// the shell cannot give is "NO", as the setup program writes it into its log.
struct InstallPlaces {
  std::string windows;
  std::string system;
  std::string dao;             // the common files' "Microsoft Shared\DAO"
  std::string programFiles;    // the install's program folder is "LYN" or "LYN01"..."LYN99" in it
  std::string commonPrograms;  // the all-users Start menu's programs: the program group's parent
  std::string desktop;         // the current user's desktop
  std::string setupTemp;       // the setup program's temporary folder
  OwnedFolders owned{{}};

  static InstallPlaces Find(Platform& platform);

  // Whether `folder` is one the install run can choose as its program folder.
  bool IsProgramFolder(std::string_view folder) const;
  // The program group the install makes for that program folder.
  std::string ProgramGroup(std::string_view programFolder) const;
};

}  // namespace lyn::uninstall
