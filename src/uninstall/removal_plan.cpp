#include "uninstall/removal_plan.h"

#include "uninstall/same_name.h"

namespace lyn::uninstall {
namespace {

std::string InFolder(std::string_view folder, std::string_view name) {
  return std::string(folder) + "\\" + std::string(name);
}

}  // namespace

RemovalPlan PlanRemoval(const UninstallLog& log, std::string_view windowsFolder) {
  RemovalPlan plan;
  const std::string self = InFolder(windowsFolder, kUninstallerName);
  bool selfPlaced = false;
  std::vector<Step> shortcuts;
  std::vector<Step> group;
  std::vector<Step> entry;
  for (const LoggedEntry& logged : log.entries) {
    if (!logged.successful) continue;
    switch (logged.section) {
      case Section::System:
      case Section::Common:
        plan.kept.push_back(logged.item);
        break;
      case Section::ProgramFiles:
      case Section::Maps:
        plan.steps.push_back({Action::DeleteFile, logged.item});
        break;
      case Section::Windows:
        if (SameName(logged.item, self)) {
          selfPlaced = true;
        } else {
          plan.steps.push_back({Action::DeleteFile, logged.item});
        }
        break;
      case Section::ProgramGroupShortcut:
      case Section::DesktopShortcut:
        shortcuts.push_back({Action::DeleteFile, logged.item});
        break;
      case Section::ProgramGroup:
        group.push_back({Action::RemoveFolder, logged.item});
        break;
      case Section::UninstallReg:
        entry.push_back({Action::DeleteUninstallEntry, logged.item});
        break;
      case Section::Registration:
        break;  // nothing is unregistered: only shared files are registered
    }
  }
  for (auto* steps : {&shortcuts, &group, &entry}) {
    plan.steps.insert(plan.steps.end(), steps->begin(), steps->end());
  }
  plan.steps.push_back({Action::DeleteFile, InFolder(log.programFolder, kInstallLogName)});
  plan.steps.push_back({Action::RemoveFolder, log.programFolder + "\\Maps"});
  plan.steps.push_back({Action::RemoveFolder, log.programFolder});
  plan.steps.push_back({Action::DeleteFile, InFolder(windowsFolder, kUninstallLogName)});
  if (selfPlaced) plan.steps.push_back({Action::DeleteSelf, self});
  return plan;
}

}  // namespace lyn::uninstall
