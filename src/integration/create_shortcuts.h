// CreateShortCuts: the program group in the all-users Start menu and the
// shortcut files, written through the platform's shell link object.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

#include "common/setup_state.h"
#include "platform/api/platform.h"

namespace lyn {

// The program-group folder could not be made; carries the system error code.
class ProgramGroupError : public std::runtime_error {
 public:
  ProgramGroupError(const std::string& folder, win::DWORD code)
      : std::runtime_error("cannot make the program group folder " + folder), code(code) {}
  win::DWORD code;
};

// What a shortcut holds, in the order the operations take it.
struct ShortcutData {
  std::string link;
  std::string target;
  std::string workingFolder;
  std::string arguments;
  std::string iconFile;
  std::int32_t iconIndex = 0;
  std::int32_t showCommand = 0;
  std::string description;
};

// Sets the program-group and desktop folders and makes the group folder
// below the Start menu's programs folder; false when that folder is missing.
// Throws ProgramGroupError when the group folder cannot be made.
bool MakeProgramGroup(Platform& platform, SetupState& state);

// Checks a shortcut's data, derives its ".lnk" file from the link's name
// and writes it unless it exists already. Sets the last shortcut path.
bool MakeShortcut(Platform& platform, SetupState& state, const ShortcutData& shortcut);

// Writes a shortcut file at `shortcut.link` (ending in ".lnk").
bool CreateShellLink(Platform& platform, const ShortcutData& shortcut);

}  // namespace lyn
