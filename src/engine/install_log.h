// The two logs of an install run: the uninstall log in the Windows folder,
// which the product's uninstaller reads back, and the install-information log
// in the program folder, which also receives diagnostic entries. Both are
// plain text in the system's ANSI code page with CR LF line ends. The open
// logs are kept for the whole program.
#pragma once

#include <string_view>

#include "common/setup_state.h"
#include "platform/api/platform.h"

namespace lyn {

// Creates both logs anew, overwriting older ones: the uninstall log
// (WindowsFolder\UninstallLogName) first, then the install-information log
// (ProgramFolder\InstallLogName). A log that cannot be created is not
// reported; what is meant for it is lost.
void OpenInstallLogs(Platform& platform, const SetupState& state);

// Writes one entry. Unless `InfoOnly`, the uninstall log gets the header line
// (when not empty), the item line and the outcome line (even when empty).
// Then the install-information log gets the header line (when not empty), the
// item line and the outcome line (only when not empty). The first line that
// cannot be written ends the entry, silently. Callers empty a section header
// after its first use, so each header is written once.
void WriteLog(Platform& platform, bool InfoOnly, std::string_view Header, std::string_view Item,
              std::string_view Outcome);

// Closes the uninstall log.
void CloseUninstallLog(Platform& platform);
// Closes the uninstall log, then the install-information log.
void CloseInstallLogs(Platform& platform);

}  // namespace lyn
