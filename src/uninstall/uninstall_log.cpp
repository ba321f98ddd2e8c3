#include "uninstall/uninstall_log.h"

#include <algorithm>
#include <array>

#include "engine/manifest_rows.h"
#include "uninstall/path_names.h"

namespace lyn::uninstall {
namespace {

struct HeaderText {
  std::string_view text;
  Section section;
};

constexpr std::array<HeaderText, 12> kHeaders{{
    {"[PROGRAM FILE FOLDER]", Section::ProgramFileFolder},
    {"[SYSTEM]", Section::System},
    {"[COMMON]", Section::Common},
    {"[AP]", Section::ProgramFiles},
    {"[WINDOWS]", Section::Windows},
    {"[APM]", Section::Maps},
    {"[REGISTRATION]", Section::Registration},
    {"[PROGRAM GROUP]", Section::ProgramGroup},
    {"[PROGRAM GROUP SHORTCUT]", Section::ProgramGroupShortcut},
    {"[DESKTOP SHORTCUT]", Section::DesktopShortcut},
    {"[UNINSTALL REG]", Section::UninstallReg},
    {"[END]", Section::End},
}};

constexpr std::array<std::pair<std::string_view, Outcome>, 3> kOutcomes{{
    {"Successful", Outcome::Successful},
    {"Failed", Outcome::Failed},
    {"NA", Outcome::NA},
}};

constexpr unsigned Bit(Section section) {
  return 1u << static_cast<int>(section);
}

constexpr unsigned kFileSections = Bit(Section::System) | Bit(Section::Common) |
                                   Bit(Section::ProgramFiles) | Bit(Section::Windows) |
                                   Bit(Section::Maps);

int Index(Section section) {
  return static_cast<int>(section);
}

// How many entries a section of a whole log holds; 0 for any number.
int EntriesOf(Section section) {
  switch (section) {
    case Section::ProgramFileFolder:
    case Section::ProgramGroup:
    case Section::DesktopShortcut:
    case Section::UninstallReg:
      return 1;
    case Section::ProgramGroupShortcut:
      return static_cast<int>(std::size(kGroupShortcuts));
    default:
      return 0;
  }
}

// True when the product ships a file of that name to that destination.
bool Ships(std::string_view name, std::string_view destination) {
  return !name.empty() &&
         std::any_of(kManifestRows.begin(), kManifestRows.end(), [&](const ManifestEntry& row) {
           return row.Destination == destination && SameName(row.FileName, name);
         });
}

int ShortcutIndex(std::string_view name) {
  const auto* end = std::end(kGroupShortcuts);
  const auto* found = std::find_if(std::begin(kGroupShortcuts), end,
                                   [&](std::string_view s) { return SameName(s, name); });
  return found == end ? -1 : static_cast<int>(found - std::begin(kGroupShortcuts));
}

// The folder before the last "\".
std::string_view Parent(std::string_view path) {
  const std::size_t slash = path.rfind('\\');
  return slash == std::string_view::npos ? std::string_view{} : path.substr(0, slash);
}

}  // namespace

UninstallLogReader::UninstallLogReader(const InstallPlaces& places,
                                       std::function<std::string(std::string_view)> toText)
    : places_(places),
      toText_(std::move(toText)),
      lines_([this](std::string_view line) { return Line(line); }) {}

bool UninstallLogReader::Take(std::string_view bytes) {
  return lines_.Take(bytes);
}

std::variant<UninstallLog, LogFault> UninstallLogReader::Finish() {
  if (fault_) return *fault_;
  const int next = lines_.Count() + 1;
  if (lines_.Refusal()) return LogFault{next, *lines_.Refusal()};
  if (section_ == Section::End) {
    if (!lines_.Partial().empty() && lines_.Partial() != "\r") {
      return LogFault{next, "a line after \"[END]\""};
    }
    return log_;
  }
  if (pending_) Close(Outcome::Lost);
  Gap(next);
  if (log_.programFolder.empty()) {
    return LogFault{std::min(next, 2),
                    next == 1 && lines_.Partial().empty() ? "the log is empty"
                                                          : "the log names no program folder",
                    true};
  }
  return log_;
}

bool UninstallLogReader::Line(std::string_view raw) {
  const std::string line = toText_(raw);
  if (section_ == Section::End) {
    if (line.empty() && emptyAfterEnd_ < 2) {
      ++emptyAfterEnd_;
      return true;
    }
    return Fault("a line after \"[END]\"");
  }
  for (const HeaderText& header : kHeaders) {
    if (line == header.text) return Header(header.section);
  }
  for (const auto& [word, outcome] : kOutcomes) {
    if (line == word) {
      if (!pending_) return Fault("an outcome without its entry");
      return Close(outcome);
    }
  }
  if (line.empty()) return Fault("an empty line");
  return Item(line);
}

bool UninstallLogReader::Header(Section section) {
  const int line = lines_.Count();
  if (pending_) {
    Close(Outcome::Lost);
    Gap(line);
  }
  if (section_ && section <= *section_) return Fault("a section out of order or repeated");
  section_ = section;
  log_.reached = section;
  if (section == Section::End) {
    for (int s = 0; s < Index(Section::End); ++s) {
      if (counts_[s] < EntriesOf(static_cast<Section>(s))) Gap(line);
    }
  }
  return true;
}

bool UninstallLogReader::Item(std::string item) {
  const int line = lines_.Count();
  if (pending_) {
    Close(Outcome::Lost);
    Gap(line);
  }
  const unsigned sections = SectionsOf(item);
  if (sections == 0) return Fault("not a path the install writes on this machine");
  if (!section_ || (sections & Bit(*section_)) == 0) {
    // The section's header line is missing: the entry belongs to the first
    // later section that can hold it, since the run only goes forward.
    int s = section_ ? Index(*section_) + 1 : 0;
    while (s < Index(Section::End) && (sections & Bit(static_cast<Section>(s))) == 0) ++s;
    if (s == Index(Section::End)) return Fault("an entry after the section it belongs to");
    section_ = static_cast<Section>(s);
    Gap(line);
  }
  const Section section = *section_;
  log_.reached = section;
  if (EntriesOf(section) != 0 && counts_[Index(section)] == EntriesOf(section)) {
    return Fault("one entry too many");
  }
  if (section == Section::ProgramGroupShortcut) {
    const int index = ShortcutIndex(LastName(item));
    if (index <= lastShortcut_) return Fault("a shortcut out of order or repeated");
    lastShortcut_ = index;
  }
  if (section == Section::ProgramFileFolder) {
    log_.programFolder = item;
  } else if ((sections & (Bit(Section::ProgramFiles) | Bit(Section::Maps))) != 0) {
    log_.programFolder = ProgramFolderOf(item);
  }
  ++counts_[Index(section)];
  pending_ = Pending{section, std::move(item)};
  return true;
}

bool UninstallLogReader::Close(Outcome outcome) {
  Pending entry = std::move(*pending_);
  pending_.reset();
  if (outcome == Outcome::NA && entry.section != Section::Registration) {
    // "NA" is written only for registrations: a file entry followed by it is
    // a registration whose header line is missing.
    if ((Bit(entry.section) & kFileSections) == 0) {
      return Fault("not an outcome word of this section");
    }
    entry.section = Section::Registration;
    section_ = Section::Registration;
    log_.reached = Section::Registration;
    Gap(lines_.Count() - 1);
  }
  log_.entries.push_back({entry.section, std::move(entry.item), outcome});
  return true;
}

std::string UninstallLogReader::ProgramFolderOf(std::string_view item) const {
  if (!log_.programFolder.empty()) return log_.programFolder;
  // The first entry is missing: the program folder is the one the program
  // files and the Maps folder lie in.
  std::string_view folder = Parent(item);
  if (SameName(LastName(folder), "Maps") && !places_.IsProgramFolder(folder)) {
    folder = Parent(folder);
  }
  return places_.IsProgramFolder(folder) ? std::string(folder) : std::string();
}

unsigned UninstallLogReader::SectionsOf(std::string_view item) const {
  if (item == kUninstallKeyPath) return Bit(Section::UninstallReg);
  if (log_.programFolder.empty() && places_.IsProgramFolder(item)) {
    return Bit(Section::ProgramFileFolder);
  }
  const auto ships = [&](std::string_view folder, std::string_view destination) {
    return Ships(ChildName(item, folder), destination);
  };
  unsigned sections = 0;
  if (ships(places_.system, WSPSF) || ships(places_.system, WSP)) sections |= Bit(Section::System);
  if (ships(places_.dao, PFCFMSDAO)) sections |= Bit(Section::Common);
  if (ships(places_.windows, WIN)) sections |= Bit(Section::Windows);
  const std::string program = ProgramFolderOf(item);
  if (!program.empty()) {
    if (ships(program, AP)) sections |= Bit(Section::ProgramFiles);
    if (ships(InFolder(program, "Maps"), APM)) sections |= Bit(Section::Maps);
    const std::string group = places_.ProgramGroup(program);
    if (SameName(item, group)) sections |= Bit(Section::ProgramGroup);
    if (ShortcutIndex(ChildName(item, group)) >= 0) sections |= Bit(Section::ProgramGroupShortcut);
  }
  // Every file the run places is registered, or logged "NA", afterwards.
  if ((sections & kFileSections) != 0) sections |= Bit(Section::Registration);
  if (SameName(item, InFolder(places_.desktop, kDesktopShortcut)) ||
      (IsAbsolutePath(item) && SameName(LastName(item), kDesktopShortcut))) {
    sections |= Bit(Section::DesktopShortcut);
  }
  return sections;
}

void UninstallLogReader::Gap(int line) {
  if (log_.firstGap == 0) log_.firstGap = line;
}

bool UninstallLogReader::Fault(std::string reason) {
  if (!fault_) fault_ = LogFault{lines_.Count(), std::move(reason)};
  return false;
}

}  // namespace lyn::uninstall
