// The uninstall log read back: the sections the install run wrote to
// "UnInstallLYN.log", checked line by line against the layout the run writes.
// Anything else (a line the run never writes, a section out of order, a path
// outside the folder its section names, a file the product does not ship, an
// entry cut short) makes the whole log unusable, so nothing is removed on the
// word of a damaged or altered log.
#pragma once

#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace lyn::uninstall {

inline constexpr std::string_view kUninstallKeyPath =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\LYN67";

// The sections after "[PROGRAM FILE FOLDER]", in the only order the run
// writes them.
enum class Section {
  System,
  Common,
  ProgramFiles,
  Windows,
  Maps,
  Registration,
  ProgramGroup,
  ProgramGroupShortcut,
  DesktopShortcut,
  UninstallReg,
};

struct LoggedEntry {
  Section section;
  std::string item;
  bool successful = false;  // the outcome word is "Successful"
};

struct UninstallLog {
  std::string programFolder;
  std::vector<LoggedEntry> entries;  // in the log's order
  // The log ends with "[END]". A log without it was left by an install that
  // stopped in its file phase: it ends after a whole file entry.
  bool complete = false;
};

// Why a log was refused: the 1-based line and what was wrong there.
struct LogFault {
  int line = 0;
  std::string reason;
};

// Reads the log's text (already converted from the ANSI code page). The
// Windows folder is the machine's own, which the run's "[WINDOWS]" entries
// must name.
std::variant<UninstallLog, LogFault> ReadUninstallLog(std::string_view text,
                                                      std::string_view windowsFolder);

}  // namespace lyn::uninstall
