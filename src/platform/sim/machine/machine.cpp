#include "platform/sim/machine/machine.h"

#include <algorithm>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <system_error>

#include "platform/sim/machine/case_fold.h"
#include "platform/sim/machine/code_page.h"
#include "platform/sim/machine/side_file.h"
#include "platform/sim/registry/default_registry.h"

namespace lyn::sim {
namespace fs = std::filesystem;

namespace {

constexpr const char* kProfileFile = "profile.ini";
constexpr const char* kAttributesFile = "file-attributes.tsv";
constexpr const char* kInUseFile = "files-in-use.tsv";
constexpr win::DWORD kDosAttributes = win::FILE_ATTRIBUTE_READONLY | win::FILE_ATTRIBUTE_HIDDEN |
                                      win::FILE_ATTRIBUTE_SYSTEM | win::FILE_ATTRIBUTE_ARCHIVE;

std::string Quoted(const fs::path& path) {
  return "'" + path.string() + "'";
}

// The profile's folders, by field name.
std::vector<std::pair<const char*, const std::string*>> Folders(const Profile& p) {
  return {{"WindowsDirectory", &p.WindowsDirectory},
          {"SystemDirectory", &p.SystemDirectory},
          {"TempPath", &p.TempPath},
          {"ProgramFiles", &p.ProgramFiles},
          {"CommonFiles", &p.CommonFiles},
          {"CommonPrograms", &p.CommonPrograms},
          {"Desktop", &p.Desktop},
          {"CurrentDirectory", &p.CurrentDirectory}};
}

WindowsPath ProfileFolder(const Profile& profile, const char* field, const std::string& value) {
  try {
    WindowsPath path = ParseWindowsPath(value, nullptr);
    if (profile.drives.count(path.drive) == 0) {
      throw MachineError("it is on drive " + std::string(1, path.drive) +
                         ":, which the machine does not have");
    }
    return path;
  } catch (const MachineError& e) {
    throw MachineError("profile folder " + std::string(field) + " '" + value + "': " + e.what());
  }
}

// The name of an entry of `folder` that Windows would take for `name`: the
// entry spelt exactly so if there is one, else the first that differs only in
// case.
std::optional<std::string> FindEntry(const fs::path& folder, const std::string& name) {
  std::error_code error;
  if (!fs::is_directory(folder, error)) return std::nullopt;
  const std::string folded = FoldCase(name);
  std::optional<std::string> match;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    const std::string entry = it->path().filename().string();
    if (entry == name) return entry;
    if (!match || entry < *match) {
      if (FoldCase(entry) == folded) match = entry;
    }
  }
  return match;
}

// Throws unless the real location of `host` (symbolic links followed) lies
// inside `base`.
void CheckContained(const fs::path& host, const fs::path& base, std::string_view asGiven) {
  std::error_code error;
  const fs::path realBase = fs::weakly_canonical(base, error);
  const fs::path real = error ? fs::path() : fs::weakly_canonical(host, error);
  const auto mismatch = std::mismatch(realBase.begin(), realBase.end(), real.begin(), real.end());
  if (error || mismatch.first != realBase.end()) {
    throw MachineError("Windows path '" + std::string(asGiven) + "' leads outside the machine");
  }
}

}  // namespace

Machine::Machine(fs::path root, Profile profile)
    : root_(std::move(root)), profile_(std::move(profile)) {
  for (const auto& [letter, drive] : profile_.drives) {
    if (letter < 'A' || letter > 'Z') {
      throw MachineError("profile drive '" + std::string(1, letter) + "' is not a drive letter");
    }
  }
  if (!CodePageKnown(profile_.AnsiCodePage)) {
    throw MachineError("profile AnsiCodePage " + std::to_string(profile_.AnsiCodePage) +
                       " is not a code page this machine knows");
  }
  for (const auto& [field, value] : Folders(profile_)) ProfileFolder(profile_, field, *value);
  currentDirectory_ = ProfileFolder(profile_, "CurrentDirectory", profile_.CurrentDirectory);
  windowsDirectory_ = ProfileFolder(profile_, "WindowsDirectory", profile_.WindowsDirectory);
  systemDirectory_ = ProfileFolder(profile_, "SystemDirectory", profile_.SystemDirectory);
}

Machine Machine::Create(const fs::path& folder, const Profile& profile) {
  std::error_code error;
  if (fs::exists(folder, error) && (!fs::is_directory(folder) || !fs::is_empty(folder))) {
    throw MachineError("cannot make a machine in " + Quoted(folder) + ": it is not empty");
  }
  Machine machine(fs::absolute(folder), profile);
  fs::create_directories(machine.root_);
  WriteTextFileAtomically(machine.root_ / kProfileFile, ProfileToText(profile));
  for (const auto& [letter, drive] : profile.drives) {
    fs::create_directories(machine.DrivesFolder() / std::string(1, letter));
  }
  for (const auto& [field, value] : Folders(profile)) {
    fs::create_directories(machine.Map(ParseWindowsPath(*value, nullptr), *value).hostPath);
    fs::create_directories(machine.Resolve(*value).hostPath);
  }
  machine.state_ = StateStore::Create(machine.root_);
  WriteDefaultRegistry(*machine.state_, profile);
  return machine;
}

Machine Machine::Open(const fs::path& folder) {
  std::error_code error;
  if (!fs::is_directory(folder, error)) {
    throw MachineError("no machine at " + Quoted(folder) + ": the folder does not exist");
  }
  const fs::path profileFile = folder / kProfileFile;
  if (!fs::is_regular_file(profileFile, error)) {
    throw MachineError(Quoted(folder) + " is not a machine: it has no " + kProfileFile);
  }
  try {
    Machine machine(fs::absolute(folder), ProfileFromText(ReadTextFile(profileFile)));
    machine.state_ = StateStore::Open(machine.root_);
    return machine;
  } catch (const std::invalid_argument& e) {
    throw MachineError(profileFile.string() + ": " + e.what());
  }
}

ResolvedPath Machine::Resolve(std::string_view windowsPath) const {
  WindowsPath path = ParseWindowsPath(windowsPath, &currentDirectory_);
  if (profile_.Wow64 && IsAtOrBelow(path, systemDirectory_)) {
    WindowsPath redirected = windowsDirectory_;
    redirected.components.push_back("SysWOW64");
    redirected.components.insert(
        redirected.components.end(),
        path.components.begin() + static_cast<std::ptrdiff_t>(systemDirectory_.components.size()),
        path.components.end());
    path = std::move(redirected);
  }
  return Map(path, windowsPath);
}

ResolvedPath Machine::Map(const WindowsPath& path, std::string_view asGiven) const {
  if (profile_.drives.count(path.drive) == 0) {
    throw MachineError("Windows path '" + std::string(asGiven) + "' is on drive " +
                       std::string(1, path.drive) + ":, which the machine does not have");
  }
  fs::path host = DrivesFolder() / std::string(1, path.drive);
  WindowsPath actual{path.drive, {}};
  bool existing = true;
  for (const std::string& name : path.components) {
    std::optional<std::string> entry;
    if (existing) entry = FindEntry(host, name);
    existing = entry.has_value();
    actual.components.push_back(entry.value_or(name));
    host /= actual.components.back();
  }
  CheckContained(host, DrivesFolder(), asGiven);
  std::error_code error;
  return ResolvedPath{actual.Text(), host, path.drive, fs::exists(host, error)};
}

std::string Machine::AnsiToUtf8(std::string_view ansi) const {
  const auto wide = DecodeText(profile_.AnsiCodePage, ansi, false);
  return EncodeText(kUtf8CodePage, wide.value_or(u""), "\xEF\xBF\xBD")->bytes;
}

std::string Machine::Utf8ToAnsi(std::string_view utf8) const {
  const auto wide = DecodeText(kUtf8CodePage, utf8, false);
  return EncodeText(profile_.AnsiCodePage, wide.value_or(u""), "?")->bytes;
}

std::string Machine::MarkKey(std::string_view windowsPath) const {
  return FoldCase(Resolve(windowsPath).windowsPath);
}

win::DWORD Machine::Attributes(std::string_view windowsPath) const {
  const ResolvedPath resolved = Resolve(windowsPath);
  if (!resolved.exists) return win::INVALID_FILE_ATTRIBUTES;
  std::error_code error;
  const bool folder = fs::is_directory(resolved.hostPath, error);
  const SideTable marks = ReadSideTable(root_ / kAttributesFile);
  const auto mark = marks.find(FoldCase(resolved.windowsPath));
  const win::DWORD attributes =
      mark == marks.end() ? (folder ? 0 : win::FILE_ATTRIBUTE_ARCHIVE)
                          : static_cast<win::DWORD>(std::stoul(mark->second, nullptr, 16));
  if (folder) return attributes | win::FILE_ATTRIBUTE_DIRECTORY;
  return attributes != 0 ? attributes : win::FILE_ATTRIBUTE_NORMAL;
}

void Machine::SetAttributes(std::string_view windowsPath, win::DWORD attributes) const {
  const std::string key = MarkKey(windowsPath);
  SideTable marks = ReadSideTable(root_ / kAttributesFile);
  std::ostringstream hex;
  hex << std::hex << (attributes & kDosAttributes);
  marks[key] = hex.str();
  WriteSideTable(root_ / kAttributesFile, marks);
}

bool Machine::InUse(std::string_view windowsPath) const {
  return ReadSideTable(root_ / kInUseFile).count(MarkKey(windowsPath)) != 0;
}

void Machine::SetInUse(std::string_view windowsPath, bool inUse) const {
  const std::string key = MarkKey(windowsPath);
  SideTable marks = ReadSideTable(root_ / kInUseFile);
  if (inUse) {
    marks[key] = "in use";
  } else {
    marks.erase(key);
  }
  WriteSideTable(root_ / kInUseFile, marks);
}

}  // namespace lyn::sim
