// Carries out a removal plan through the platform. A step that fails does
// not stop the others; what could not be removed is listed with the reason.
// A thing already gone counts as removed, so a second run does no harm. The
// uninstaller, its log and the entry go only when everything before them
// went (a folder a user's file keeps aside): while anything of the product
// is left, they stay to lead a later run to it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/api/platform.h"
#include "uninstall/removal_plan.h"

namespace lyn::uninstall {

// Deletes the key at `keyPath` under HKEY_LOCAL_MACHINE (the uninstall
// entry) from its parent opened with full access; returns the registry's
// status, ERROR_FILE_NOT_FOUND when the entry is gone (whatever the user
// may do to its parent).
win::DWORD DeleteUninstallEntry(win::Advapi32Registry& registry, std::string_view keyPath);

struct RemovalResult {
  std::vector<LeftBehind> left;
  // Something of the product could not be removed: the uninstaller, its log
  // and the entry were kept for the run that finishes the removal.
  bool unfinished = false;
  // Files the platform deletes at the next restart (the running uninstaller).
  std::vector<std::string> atRestart;
};

RemovalResult CarryOut(Platform& platform, const RemovalPlan& plan);

}  // namespace lyn::uninstall
