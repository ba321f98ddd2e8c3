// What the uninstaller removes, in what order, and what it keeps: the plan
// is drawn from the uninstall log and the machine's own folders, before
// anything is touched.
#pragma once

#include <string>
#include <vector>

#include "uninstall/install_places.h"
#include "uninstall/uninstall_log.h"

namespace lyn::uninstall {

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

struct LeftBehind {
  std::string path;
  std::string reason;
};

struct RemovalPlan {
  std::vector<Step> steps;
  // Shared libraries and controls the install placed in the system and DAO
  // folders. Other programs may use them and the install keeps no count of
  // their users, so they stay, registered.
  std::vector<std::string> kept;
  // What the plan leaves on purpose, with the reason.
  std::vector<LeftBehind> left;
};

// The product's files go from the places the install puts them, whether or
// not the log lists them: an install stopped between placing a file and
// logging it leaves one the log does not name yet, and a file of the
// product's name in the product's own folders is the product's. In order:
// the program and map files; the desktop shortcut, when the install got as
// far as making it; the program group's shortcuts and the group folder; the
// install-information log, the Maps folder and the program folder; what the
// setup program left in its temporary folder, and that folder; the
// uninstaller itself; the uninstall log; and last the uninstall entry, so
// that until the end the entry still leads to the uninstaller and its log,
// and a run cut short can be run again. Folders go only when empty, and
// never one that Windows or the person owns.
RemovalPlan PlanRemoval(const UninstallLog& log, const InstallPlaces& places);

// When the log is gone but the uninstall entry is not: a removal cut short
// just before its last step. Only the uninstaller and the entry are left.
RemovalPlan PlanEntryRemoval(const InstallPlaces& places);

}  // namespace lyn::uninstall
