// What the uninstaller removes, in what order, and what it keeps: the plan is
// drawn from the uninstall log alone, before anything is touched.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "uninstall/uninstall_log.h"

namespace lyn::uninstall {

inline constexpr std::string_view kUninstallLogName = "UnInstallLYN.log";
inline constexpr std::string_view kInstallLogName = "InstallInfo.log";
inline constexpr std::string_view kUninstallerName = "UninstallLYN67.exe";

enum class Action {
  DeleteFile,
  RemoveFolder,  // only when empty: a folder holding someone else's file stays
  DeleteUninstallEntry,
  DeleteSelf,  // the running uninstaller's own file
};

struct Step {
  Action action;
  std::string path;  // the registry key path for DeleteUninstallEntry
};

struct RemovalPlan {
  std::vector<Step> steps;
  // Shared libraries and controls the install placed in the system and DAO
  // folders. Other programs may use them and the install keeps no count of
  // their users, so they stay, registered.
  std::vector<std::string> kept;
};

// Only what the log records as "Successful" is removed, in this order: the
// files of the program, Maps and Windows folders; the shortcuts, then the
// program group folder; the uninstall entry; the install-information log;
// the Maps folder, then the program folder; the uninstall log; and last the
// uninstaller itself.
RemovalPlan PlanRemoval(const UninstallLog& log, std::string_view windowsFolder);

}  // namespace lyn::uninstall
