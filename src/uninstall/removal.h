// Carries out a removal plan through the platform. A step that fails does
// not stop the others; what could not be removed is listed with the reason.
// A thing already gone counts as removed, so a second run does no harm.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/api/platform.h"
#include "uninstall/removal_plan.h"

namespace lyn::uninstall {

// Deletes the uninstall entry under HKEY_LOCAL_MACHINE; returns the
// platform's status, ERROR_SUCCESS or ERROR_FILE_NOT_FOUND when it is gone.
using DeleteUninstallEntryFn = std::function<win::DWORD(std::string_view keyPath)>;

struct LeftBehind {
  std::string path;
  std::string reason;
};

struct RemovalResult {
  std::vector<LeftBehind> left;
  // Files the platform deletes at the next restart (the running uninstaller).
  std::vector<std::string> atRestart;
};

RemovalResult CarryOut(Platform& platform, const RemovalPlan& plan,
                       const DeleteUninstallEntryFn& deleteUninstallEntry);

}  // namespace lyn::uninstall
