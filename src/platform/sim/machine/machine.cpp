#include "platform/sim/machine/machine.h"

#include <cstring>
#include <optional>
#include <stdexcept>
#include <system_error>
#include <unordered_map>

#include "platform/sim/machine/case_fold.h"
#include "platform/sim/machine/code_page.h"
#include "platform/sim/machine/folder_lock.h"
#include "platform/sim/machine/text_file.h"
#include "platform/sim/registry/default_registry.h"

namespace lyn::sim {
namespace fs = std::filesystem;

namespace {

constexpr const char* kProfileFile = "profile.ini";
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
  fs::create_directories(machine.DrivesFolder());
  machine.drives_ = std::make_shared<const DriveFolders>(machine.DrivesFolder());
  machine.store_ = StateStore::Create(machine.root_);
  machine.WriteProfile();
  WriteDefaultRegistry(*machine.store_, profile);
  return machine;
}

Machine Machine::ChangeProfile(const fs::path& folder,
                               const std::function<void(Profile&)>& change) {
  const FolderLock lock(folder);
  const Machine opened = Open(folder);
  Profile profile = opened.profile_;
  change(profile);
  Machine machine(opened.root_, profile);
  machine.store_ = opened.store_;
  machine.drives_ = opened.drives_;
  machine.WriteProfile(ReadTextFile(folder / kProfileFile));
  return machine;
}

void Machine::WriteProfile(const std::string& previous) const {
  WriteTextFileAtomically(root_ / kProfileFile, UpdatedProfileText(previous, profile_));
  for (const auto& [letter, drive] : profile_.drives) {
    fs::create_directories(DrivesFolder() / std::string(1, letter));
  }
  for (const auto& [field, value] : Folders(profile_)) {
    for (const ResolvedPath& made :
         {Map(ParseWindowsPath(*value, nullptr), *value), Resolve(*value)}) {
      if (const int error = drives().MakeFolders(made.drivePath)) {
        throw MachineError("cannot make the folder " + made.windowsPath + ": " +
                           std::strerror(-error));
      }
    }
  }
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
  std::optional<Machine> machine;
  try {
    machine.emplace(Machine(fs::absolute(folder), ProfileFromText(ReadTextFile(profileFile))));
  } catch (const std::invalid_argument& e) {
    throw MachineError(profileFile.string() + ": " + e.what());
  }
  machine->drives_ = std::make_shared<const DriveFolders>(machine->DrivesFolder());
  machine->store_ = StateStore::Open(machine->root_);
  return std::move(*machine);
}

ResolvedPath Machine::Resolve(std::string_view windowsPath) const {
  try {
    return Redirect(windowsPath);
  } catch (const fs::filesystem_error& e) {
    throw MachineError("cannot reach Windows path '" + std::string(windowsPath) +
                       "': " + e.code().message());
  }
}

ResolvedPath Machine::Redirect(std::string_view windowsPath) const {
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
  const DriveFolders::Walk walk = drives_->Follow(path.drive, path.components);
  if (walk.status && walk.status->link) {
    throw MachineError("Windows path '" + std::string(asGiven) +
                       "' goes through a symbolic link, which the machine does not follow");
  }
  // Names found keep the host's case, the missing ones the caller's.
  WindowsPath actual{path.drive, walk.names};
  actual.components.insert(actual.components.end(),
                           path.components.begin() + static_cast<std::ptrdiff_t>(walk.names.size()),
                           path.components.end());
  std::string drivePath(1, path.drive);
  for (const std::string& name : actual.components) drivePath += '/' + name;
  ResolvedPath resolved;
  resolved.windowsPath = actual.Text();
  resolved.drivePath = std::move(drivePath);
  resolved.drive = path.drive;
  resolved.exists = walk.status && walk.names.size() == path.components.size();
  resolved.folder = resolved.exists && walk.status->folder;
  if (!actual.components.empty()) {
    // The walk goes on into a folder only, and stops with no status at the
    // first name missing: the parent is a folder when the last name was
    // found, or was looked for in it.
    const std::size_t above = actual.components.size() - 1;
    resolved.parentExists = walk.names.size() > above ||
                            (walk.names.size() == above &&
                             (!walk.status || (walk.status->folder && !walk.status->link)));
    actual.components.pop_back();
    resolved.parentPath = actual.Text();
    resolved.parentDrivePath = resolved.drivePath.substr(0, resolved.drivePath.rfind('/'));
  }
  return resolved;
}

std::string Machine::AnsiToUtf8(std::string_view ansi) const {
  const auto wide = DecodeText(profile_.AnsiCodePage, ansi, false);
  return EncodeText(kUtf8CodePage, wide.value_or(u""), "\xEF\xBF\xBD")->bytes;
}

std::string Machine::Utf8ToAnsi(std::string_view utf8) const {
  const auto wide = DecodeText(kUtf8CodePage, utf8, false);
  return EncodeText(profile_.AnsiCodePage, wide.value_or(u""), "?")->bytes;
}

win::DWORD Machine::Attributes(std::string_view windowsPath) const {
  return Attributes(Resolve(windowsPath));
}

win::DWORD Machine::Attributes(const ResolvedPath& path) const {
  if (!path.exists) return win::INVALID_FILE_ATTRIBUTES;
  const std::optional<Mark> mark = store_->Read([&](const Transaction& t) {
    auto select = t.Prepare(
        "SELECT attributes, typeof(attributes) = 'integer' FROM file_attributes WHERE path_key = "
        "?1");
    select.Bind(1, FoldCase(path.windowsPath));
    if (!select.Step()) return std::optional<Mark>();
    return std::optional<Mark>(Mark{select.Int(0), select.Int(1) != 0});
  });
  return Reported(path.windowsPath, path.folder, mark);
}

std::vector<win::DWORD> Machine::Attributes(const ResolvedPath& folder,
                                            const std::vector<HostEntry>& entries) const {
  const std::string prefix =
      folder.windowsPath.back() == '\\' ? folder.windowsPath : folder.windowsPath + '\\';
  const std::string keyPrefix = FoldCase(prefix);
  // Every key below the folder sorts from "<folder>\" up to, not including,
  // "<folder>]", ']' following '\' in byte order.
  std::string end = keyPrefix;
  end.back() = static_cast<char>('\\' + 1);
  std::unordered_map<std::string, Mark> marks;
  store_->Read([&](const Transaction& t) {
    // The marks of the folder's own entries; each sub-folder's marks are
    // stepped over with a new range starting past them.
    std::string from = keyPrefix;
    for (bool more = true; more;) {
      more = false;
      auto select = t.Prepare(
          "SELECT path_key, attributes, typeof(attributes) = 'integer' FROM file_attributes "
          "WHERE path_key >= ?1 AND path_key < ?2 ORDER BY path_key");
      select.Bind(1, from).Bind(2, end);
      while (select.Step()) {
        const std::string key = select.Text(0);
        const std::size_t below = key.find('\\', keyPrefix.size());
        if (below != std::string::npos) {
          from = key.substr(0, below) + static_cast<char>('\\' + 1);
          more = true;
          break;
        }
        marks.emplace(key.substr(keyPrefix.size()), Mark{select.Int(1), select.Int(2) != 0});
      }
    }
  });
  std::vector<win::DWORD> attributes;
  attributes.reserve(entries.size());
  for (const HostEntry& entry : entries) {
    const auto mark = marks.find(FoldCase(entry.name));
    attributes.push_back(
        Reported(prefix + entry.name, entry.status.folder,
                 mark == marks.end() ? std::nullopt : std::optional(mark->second)));
  }
  return attributes;
}

win::DWORD Machine::Reported(const std::string& windowsPath, bool folder,
                             const std::optional<Mark>& mark) const {
  win::DWORD attributes = folder ? 0 : win::FILE_ATTRIBUTE_ARCHIVE;
  if (mark) {
    if (!mark->integer || (mark->value & ~std::int64_t{kDosAttributes}) != 0) {
      throw StateError(Name() + ": its state store holds bad attributes for " + windowsPath);
    }
    attributes = static_cast<win::DWORD>(mark->value);
  }
  if (folder) return attributes | win::FILE_ATTRIBUTE_DIRECTORY;
  return attributes != 0 ? attributes : win::FILE_ATTRIBUTE_NORMAL;
}

void Machine::SetAttributes(std::string_view windowsPath, win::DWORD attributes) const {
  SetAttributes(Resolve(windowsPath), attributes);
}

void Machine::SetAttributes(const ResolvedPath& path, win::DWORD attributes) const {
  const std::string key = FoldCase(path.windowsPath);
  store_->Write([&](const Transaction& t) {
    t.Prepare("INSERT OR REPLACE INTO file_attributes VALUES (?1, ?2)")
        .Bind(1, key)
        .Bind(2, std::int64_t{attributes & kDosAttributes})
        .Run();
  });
}

std::string Machine::Name() const {
  return "machine '" + root_.string() + "'";
}

}  // namespace lyn::sim
