// The uninstall log read back: the entries the install run wrote to
// "UnInstallLYN.log", as it writes them. Lines may be missing, anywhere: an
// install killed or stopped leaves a log that ends early (after any whole
// line, or inside one), and a write that failed leaves a line out while the
// run goes on. Such a log is read as far as it goes and said to be
// incomplete. Lines are never added or changed by the install, so a log
// holding a line the install would not write there on this machine (a path
// outside the places the install uses, a section out of order, an entry
// too many) is refused as a whole: nothing is removed on its word.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "uninstall/install_places.h"
#include "uninstall/log_lines.h"

namespace lyn::uninstall {

// The sections, in the only order the run writes them.
enum class Section {
  ProgramFileFolder,
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
  End,
};

enum class Outcome {
  Successful,
  Failed,
  NA,
  Lost,  // the log stops, or goes on with another entry, before the outcome
};

struct LoggedEntry {
  Section section;
  std::string item;
  Outcome outcome;
};

struct UninstallLog {
  std::string programFolder;
  std::vector<LoggedEntry> entries;  // in the log's order
  // The section of the log's last line: how far the install got.
  Section reached = Section::ProgramFileFolder;
  // The first line at which a line the install writes is missing (the line
  // after the last one, when the log ends early); 0 for a whole log.
  int firstGap = 0;
};

// Why a log was refused: the 1-based line and what was wrong there.
struct LogFault {
  int line = 0;
  std::string reason;
  // The log stops before it names the program folder: an install stopped
  // right after opening it.
  bool beforeFolder = false;
};

class UninstallLogReader {
 public:
  // `toText` converts a line from the system's ANSI code page.
  UninstallLogReader(const InstallPlaces& places,
                     std::function<std::string(std::string_view)> toText);

  // Takes the next bytes of the file; false once the log is refused.
  bool Take(std::string_view bytes);
  // At the end of the file: the log, or why it was refused.
  std::variant<UninstallLog, LogFault> Finish();

 private:
  struct Pending {
    Section section;
    std::string item;
  };

  bool Line(std::string_view line);
  bool Header(Section section);
  bool Item(std::string item);
  bool Close(Outcome outcome);
  // The sections whose entries the item can be, as a set of bits.
  unsigned SectionsOf(std::string_view item) const;
  // The program folder the log named, or else the one `item` lies in.
  std::string ProgramFolderOf(std::string_view item) const;
  void Gap(int line);
  bool Fault(std::string reason);

  const InstallPlaces& places_;
  std::function<std::string(std::string_view)> toText_;
  LogLines lines_;
  UninstallLog log_;
  std::optional<Section> section_;
  std::optional<Pending> pending_;
  int counts_[static_cast<int>(Section::End) + 1] = {};
  int emptyAfterEnd_ = 0;
  int lastShortcut_ = -1;  // index in kGroupShortcuts of the last group shortcut
  std::optional<LogFault> fault_;
};

}  // namespace lyn::uninstall
