#include "uninstall/removal_plan.h"

#include <algorithm>

#include "engine/manifest_rows.h"
#include "uninstall/path_names.h"

namespace lyn::uninstall {
namespace {

class Planner {
 public:
  explicit Planner(const InstallPlaces& places) : places_(places) {}

  // A path that is not a full one (a folder the shell could not give) is
  // never acted on.
  void Add(Action action, const std::string& path) {
    if (IsAbsolutePath(path) || action == Action::DeleteUninstallEntry) {
      plan_.steps.push_back({action, path});
    }
  }
  void Folder(const std::string& folder) {
    if (!IsAbsolutePath(folder)) return;
    if (places_.owned.Owns(folder)) {
      Leave(folder, "a folder of Windows or of the person");
    } else {
      plan_.steps.push_back({Action::RemoveFolder, folder});
    }
  }
  // In `folder`, every file the product ships to any of `destinations`.
  void Shipped(const std::string& folder, std::initializer_list<std::string_view> destinations) {
    std::vector<std::string_view> names;
    for (const ManifestEntry& row : kManifestRows) {
      const bool wanted = std::find(destinations.begin(), destinations.end(), row.Destination) !=
                          destinations.end();
      if (wanted && std::find(names.begin(), names.end(), row.FileName) == names.end()) {
        names.push_back(row.FileName);
        Add(Action::DeleteFile, InFolder(folder, row.FileName));
      }
    }
  }
  void Leave(const std::string& path, std::string reason) {
    plan_.left.push_back({path, std::move(reason)});
  }
  RemovalPlan& plan() { return plan_; }

 private:
  const InstallPlaces& places_;
  RemovalPlan plan_;
};

// Whether the install got as far as the desktop shortcut: the log goes on
// to it or past it, or stops right after the group's three shortcuts, when
// the desktop shortcut may have been made but not yet logged.
bool ReachedDesktop(const UninstallLog& log) {
  const auto groupShortcuts = std::count_if(
      log.entries.begin(), log.entries.end(),
      [](const LoggedEntry& e) { return e.section == Section::ProgramGroupShortcut; });
  return log.reached >= Section::DesktopShortcut ||
         groupShortcuts == static_cast<long>(std::size(kGroupShortcuts));
}

void Tail(Planner& planner, const InstallPlaces& places) {
  planner.Add(Action::DeleteSelf, InFolder(places.windows, kUninstallerName));
  planner.Add(Action::DeleteFile, InFolder(places.windows, kUninstallLogName));
  planner.Add(Action::DeleteUninstallEntry, std::string(kUninstallKeyPath));
}

}  // namespace

RemovalPlan PlanRemoval(const UninstallLog& log, const InstallPlaces& places) {
  Planner planner(places);
  const std::string& program = log.programFolder;
  const std::string maps = InFolder(program, "Maps");
  const std::string group = places.ProgramGroup(program);
  planner.Shipped(program, {AP});
  planner.Shipped(maps, {APM});

  if (ReachedDesktop(log)) {
    const std::string desktop = InFolder(places.desktop, kDesktopShortcut);
    bool elsewhere = false;
    for (const LoggedEntry& entry : log.entries) {
      if (entry.section == Section::DesktopShortcut && !SameName(entry.item, desktop)) {
        planner.Leave(entry.item, "not on this user's desktop");
        elsewhere = true;
      }
    }
    if (!elsewhere) planner.Add(Action::DeleteFile, desktop);
  }
  for (const std::string_view name : kGroupShortcuts) {
    planner.Add(Action::DeleteFile, InFolder(group, name));
  }
  planner.Folder(group);

  planner.Add(Action::DeleteFile, InFolder(program, kInstallLogName));
  planner.Folder(maps);
  planner.Folder(program);
  planner.Shipped(places.setupTemp, {WSPSF, WSP, PFCFMSDAO, AP, APM, WIN});
  planner.Folder(places.setupTemp);
  Tail(planner, places);

  RemovalPlan& plan = planner.plan();
  for (const LoggedEntry& entry : log.entries) {
    const bool shared = entry.section == Section::System || entry.section == Section::Common;
    if (shared && entry.outcome == Outcome::Successful) plan.kept.push_back(entry.item);
  }
  return std::move(plan);
}

RemovalPlan PlanEntryRemoval(const InstallPlaces& places) {
  Planner planner(places);
  Tail(planner, places);
  return std::move(planner.plan());
}

}  // namespace lyn::uninstall
