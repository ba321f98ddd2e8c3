#include "uninstall/uninstall_log.h"

#include <algorithm>
#include <array>
#include <optional>

#include "engine/manifest_rows.h"
#include "uninstall/same_name.h"

namespace lyn::uninstall {
namespace {

struct SectionHeader {
  std::string_view text;
  Section section;
};

constexpr std::array<SectionHeader, 10> kHeaders{{
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
}};

// The shortcut files of the program group, in the order the run makes them.
constexpr std::array<std::string_view, 3> kGroupShortcuts{"LYN.lnk", "Help QY.lnk",
                                                          "UninstallLYN67.lnk"};

// How many entries each section holds in a completed log; 0 for any number.
constexpr std::size_t EntriesOfCompletedRun(Section section) {
  switch (section) {
    case Section::ProgramGroup:
    case Section::DesktopShortcut:
    case Section::UninstallReg:
      return 1;
    case Section::ProgramGroupShortcut:
      return kGroupShortcuts.size();
    default:
      return 0;
  }
}

bool IsFileSection(Section section) {
  return section <= Section::Maps;
}

// "X:\name\name...": a drive, then names that are neither empty, "." nor
// "..", hold no character Windows refuses in a name, and no trailing "\".
bool IsAbsolutePath(std::string_view path) {
  const char drive = static_cast<char>(path.empty() ? 0 : path[0] | 0x20);
  if (path.size() < 4 || drive < 'a' || drive > 'z' || path[1] != ':' || path[2] != '\\') {
    return false;
  }
  std::string_view rest = path.substr(3);
  while (true) {
    const std::size_t end = rest.find('\\');
    const std::string_view name = rest.substr(0, end);
    if (name.empty() || name == "." || name == "..") return false;
    for (const char c : name) {
      if (static_cast<unsigned char>(c) < 0x20 ||
          std::string_view("/:*?\"<>|").find(c) != std::string_view::npos) {
        return false;
      }
    }
    if (end == std::string_view::npos) return true;
    rest = rest.substr(end + 1);
  }
}

// The name of `path` when it is a file directly in `folder`; empty otherwise.
std::string_view NameIn(std::string_view path, std::string_view folder) {
  if (!IsAbsolutePath(path) || path.size() <= folder.size() + 1 ||
      !SameName(path.substr(0, folder.size()), folder) || path[folder.size()] != '\\') {
    return {};
  }
  const std::string_view name = path.substr(folder.size() + 1);
  return name.find('\\') == std::string_view::npos ? name : std::string_view{};
}

// True when the product ships a file of that name to that destination.
bool Ships(std::string_view name, std::string_view destination) {
  return std::any_of(kManifestRows.begin(), kManifestRows.end(), [&](const ManifestEntry& row) {
    return row.Destination == destination && SameName(row.FileName, name);
  });
}

std::string_view LastName(std::string_view path) {
  return path.substr(path.rfind('\\') + 1);
}

class Reader {
 public:
  explicit Reader(std::string_view windowsFolder) : windowsFolder_(windowsFolder) {}

  std::variant<UninstallLog, LogFault> Read(std::string_view text) {
    if (!SplitLines(text)) return fault_;
    if (!Expect("[PROGRAM FILE FOLDER]")) return fault_;
    if (at_ >= lines_.size() || !IsAbsolutePath(lines_[at_])) {
      return Fault("the program folder is not a full path");
    }
    log_.programFolder = lines_[at_++];
    if (!Expect("Successful")) return fault_;
    while (at_ < lines_.size()) {
      if (lines_[at_] == "[END]") return ReadEnd();
      if (!ReadHeaderOrEntry()) return fault_;
    }
    if (section_ && count_ == 0) return Fault("a section without entries");
    if (section_ && !IsFileSection(*section_)) {
      return Fault("the log ends without \"[END]\" after the file sections");
    }
    return log_;
  }

 private:
  // Every line ends with CR LF, and no line holds another line break.
  bool SplitLines(std::string_view text) {
    if (text.empty()) return FaultAt(1, "the log is empty");
    while (!text.empty()) {
      const std::size_t end = text.find("\r\n");
      const std::string_view line = text.substr(0, end);
      if (line.find_first_of("\r\n") != std::string_view::npos) {
        return FaultAt(lines_.size() + 1, "a line break that is not CR LF");
      }
      if (end == std::string_view::npos) {
        return FaultAt(lines_.size() + 1, "the last line is cut short");
      }
      lines_.push_back(line);
      text.remove_prefix(end + 2);
    }
    return true;
  }

  bool Expect(std::string_view line) {
    if (at_ < lines_.size() && lines_[at_] == line) {
      ++at_;
      return true;
    }
    return FaultAt(at_ + 1, std::string("expected \"").append(line).append("\""));
  }

  bool ReadHeaderOrEntry() {
    const auto header = std::find_if(kHeaders.begin(), kHeaders.end(),
                                     [&](const SectionHeader& h) { return h.text == lines_[at_]; });
    if (header != kHeaders.end()) {
      if (section_ && (header->section <= *section_ || count_ == 0)) {
        return FaultAt(at_ + 1, count_ == 0 ? "a section without entries"
                                            : "a section out of order or repeated");
      }
      section_ = header->section;
      count_ = 0;
      ++at_;
      return true;
    }
    if (!section_) return FaultAt(at_ + 1, "an entry outside any section");
    if (at_ + 1 >= lines_.size()) return FaultAt(at_ + 2, "an entry without its outcome");
    const std::string_view item = lines_[at_];
    const std::string_view outcome = lines_[at_ + 1];
    const bool na = outcome == "NA" && *section_ == Section::Registration;
    if (outcome != "Successful" && outcome != "Failed" && !na) {
      return FaultAt(at_ + 2, "not an outcome word of this section");
    }
    if (!ItemFits(item)) return FaultAt(at_ + 1, "not a path this section can hold");
    const std::size_t most = EntriesOfCompletedRun(*section_);
    if (most != 0 && count_ >= most) return FaultAt(at_ + 1, "one entry too many");
    if (*section_ == Section::ProgramGroup) programGroup_ = item;
    log_.entries.push_back({*section_, std::string(item), outcome == "Successful"});
    ++count_;
    at_ += 2;
    return true;
  }

  bool ItemFits(std::string_view item) const {
    switch (*section_) {
      case Section::ProgramFiles:
        return Ships(NameIn(item, log_.programFolder), AP);
      case Section::Maps:
        return Ships(NameIn(item, log_.programFolder + "\\Maps"), APM);
      case Section::Windows:
        return Ships(NameIn(item, windowsFolder_), WIN);
      case Section::ProgramGroupShortcut:
        return SameName(NameIn(item, programGroup_), kGroupShortcuts[count_]);
      case Section::DesktopShortcut:
        return IsAbsolutePath(item) && SameName(LastName(item), "LYN.lnk");
      case Section::UninstallReg:
        return item == kUninstallKeyPath;
      default:
        return IsAbsolutePath(item);
    }
  }

  // "[END]", two empty lines, and nothing after them; by then every section
  // of the run's last phases holds all its entries.
  std::variant<UninstallLog, LogFault> ReadEnd() {
    if (count_ == 0 && section_) return Fault("a section without entries");
    for (const SectionHeader& header : kHeaders) {
      const std::size_t wanted = EntriesOfCompletedRun(header.section);
      const auto found =
          std::count_if(log_.entries.begin(), log_.entries.end(),
                        [&](const LoggedEntry& e) { return e.section == header.section; });
      if (wanted != 0 && static_cast<std::size_t>(found) != wanted) {
        return Fault(std::string("\"").append(header.text).append("\" is missing or incomplete"));
      }
    }
    ++at_;
    if (!Expect("") || !Expect("")) return fault_;
    if (at_ != lines_.size()) return Fault("lines after \"[END]\"");
    log_.complete = true;
    return log_;
  }

  LogFault Fault(std::string reason) {
    FaultAt(at_ + 1, std::move(reason));
    return fault_;
  }
  bool FaultAt(std::size_t line, std::string reason) {
    fault_ = LogFault{static_cast<int>(line), std::move(reason)};
    return false;
  }

  std::string_view windowsFolder_;
  std::vector<std::string_view> lines_;
  std::size_t at_ = 0;
  std::optional<Section> section_;
  std::size_t count_ = 0;  // entries of the current section
  std::string_view programGroup_;
  UninstallLog log_;
  LogFault fault_;
};

}  // namespace

std::variant<UninstallLog, LogFault> ReadUninstallLog(std::string_view text,
                                                      std::string_view windowsFolder) {
  return Reader(windowsFolder).Read(text);
}

}  // namespace lyn::uninstall
