#include "platform/sim/machine/machine.h"

#include <algorithm>
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

bool IsAscii(std::string_view text) {
  return std::all_of(text.begin(), text.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// Whether the code page holds the ASCII characters as ASCII does, as every
// Windows ANSI code page does, so that ASCII text needs no conversion.
bool AsciiCodePage(win::UINT codePage) {
  std::string ascii;
  std::u16string expected;
  for (int c = 1; c < 0x80; ++c) {
    ascii += static_cast<char>(c);
    expected += static_cast<char16_t>(c);
  }
  return DecodeText(codePage, ascii, true) == expected;
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
  asciiCodePage_ = AsciiCodePage(profile_.AnsiCodePage);
  // Resolve names a path's existing names as the host spells them, which
  // fold as the names asked for: the keys need no host.
  const auto key = [this](const std::string& folder) {
    return FoldCase(Redirected(folder).Text());
  };
  folderKeys_ = FolderKeys{key(profile_.WindowsDirectory), key(profile_.SystemDirectory),
                           key(profile_.ProgramFiles),     key(profile_.CommonFiles),
                           key(profile_.Desktop),          key(profile_.CommonPrograms)};
}

Machine Machine::Create(const fs::path& folder, const Profile& profile) {
  std::error_code error;
  if (fs::exists(folder, error) && (!fs::is_directory(folder) || !fs::is_empty(folder))) {
    throw MachineError("cannot make a machine in " + Quoted(folder) + ": it is not empty");
  }
  Machine machine(fs::absolute(folder), profile);
  fs::create_directories(machine.DrivesFolder());
  machine.drives_ =
      std::make_shared<const DriveFolders>(machine.DrivesFolder(), machine.IndexFolder());
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
  machine->drives_ =
      std::make_shared<const DriveFolders>(machine->DrivesFolder(), machine->IndexFolder());
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
  return Map(Redirected(windowsPath), windowsPath);
}

WindowsPath Machine::Redirected(std::string_view windowsPath) const {
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
  return path;
}

ResolvedPath Machine::Map(const WindowsPath& path, std::string_view asGiven) const {
  if (profile_.drives.count(path.drive) == 0) {
    throw MachineError("Windows path '" + std::string(asGiven) + "' is on drive " +
                       std::string(1, path.drive) + ":, which the machine does not have");
  }
  const DriveFolders::Walk walk = drives_->Follow(path.drive, path.components);
  if (walk.kind && walk.kind->link) {
    throw MachineError("Windows path '" + std::string(asGiven) +
                       "' goes through a symbolic link, which the machine does not follow");
  }
  // Names found keep the host's case, the missing ones the caller's.
  WindowsPath actual{path.drive, walk.names};
  actual.components.insert(actual.components.end(),
                           path.components.begin() + static_cast<std::ptrdiff_t>(walk.names.size()),
                           path.components.end());
  std::string drivePath(1, path.drive);
  for (const std::string& name : actual.components) drivePath.append(1, '/').append(name);
  ResolvedPath resolved;
  resolved.windowsPath = actual.Text();
  resolved.drivePath = std::move(drivePath);
  resolved.drive = path.drive;
  resolved.exists = walk.kind && walk.names.size() == path.components.size();
  resolved.folder = resolved.exists && walk.kind->folder;
  if (!actual.components.empty()) {
    // The walk goes on into a folder only, and stops with no status at the
    // first name missing: the parent is a folder when the last name was
    // found, or was looked for in it.
    const std::size_t above = actual.components.size() - 1;
    resolved.parentExists =
        walk.names.size() > above ||
        (walk.names.size() == above && (!walk.kind || (walk.kind->folder && !walk.kind->link)));
    actual.components.pop_back();
    resolved.parentPath = actual.Text();
    resolved.parentDrivePath = resolved.drivePath.substr(0, resolved.drivePath.rfind('/'));
  }
  return resolved;
}

std::string Machine::AnsiToUtf8(std::string_view ansi) const {
  if (asciiCodePage_ && IsAscii(ansi)) return std::string(ansi);
  const auto wide = DecodeText(profile_.AnsiCodePage, ansi, false);
  return EncodeText(kUtf8CodePage, wide.value_or(u""), "\xEF\xBF\xBD")->bytes;
}

std::string Machine::Utf8ToAnsi(std::string_view utf8) const {
  if (asciiCodePage_ && IsAscii(utf8)) return std::string(utf8);
  const auto wide = DecodeText(kUtf8CodePage, utf8, false);
  return EncodeText(profile_.AnsiCodePage, wide.value_or(u""), "?")->bytes;
}

win::DWORD Machine::Attributes(std::string_view windowsPath) const {
  return Attributes(Resolve(windowsPath));
}

win::DWORD Machine::Attributes(const ResolvedPath& path) const {
  if (!path.exists) return win::INVALID_FILE_ATTRIBUTES;
  const std::string key = FoldCase(path.windowsPath);
  std::optional<Mark> mark;
  if (path.parentPath.empty()) {
    // A drive's root: the only path with no folder above it.
    mark = *store_->Kept<std::optional<Mark>>("mark " + key, [&](const Transaction& t) {
      auto select = t.Prepare(
          "SELECT attributes, typeof(attributes) = 'integer' FROM file_attributes "
          "WHERE path_key = ?1");
      select.Bind(1, key);
      if (!select.Step()) return std::optional<Mark>();
      return std::optional<Mark>(Mark{select.Int(0), select.Int(1) != 0});
    });
  } else {
    const std::string prefix = KeyPrefix(path.parentPath);
    const auto marks = FolderMarks(prefix);
    if (const auto found = marks->find(key.substr(prefix.size())); found != marks->end()) {
      mark = found->second;
    }
  }
  return Reported(path.windowsPath, "", path.folder, mark);
}

std::string Machine::KeyPrefix(const std::string& folder) {
  std::string prefix = FoldCase(folder);
  if (prefix.back() != '\\') prefix += '\\';
  return prefix;
}

std::shared_ptr<const Machine::Marks> Machine::FolderMarks(const std::string& prefix) const {
  return store_->Kept<Marks>("marks " + prefix, [&](const Transaction& t) {
    // Every key below the folder sorts from "<folder>\" up to, not
    // including, "<folder>]", ']' following '\' in byte order. The marks of
    // the folder's own entries are read; each sub-folder's marks are stepped
    // over with a new range starting past them.
    std::string end = prefix;
    end.back() = static_cast<char>('\\' + 1);
    Marks marks;
    std::string from = prefix;
    for (bool more = true; more;) {
      more = false;
      auto select = t.Prepare(
          "SELECT path_key, attributes, typeof(attributes) = 'integer' FROM file_attributes "
          "WHERE path_key >= ?1 AND path_key < ?2 ORDER BY path_key");
      select.Bind(1, from).Bind(2, end);
      while (select.Step()) {
        const std::string key = select.Text(0);
        const std::size_t below = key.find('\\', prefix.size());
        if (below != std::string::npos) {
          from = key.substr(0, below) + static_cast<char>('\\' + 1);
          more = true;
          break;
        }
        marks.emplace(key.substr(prefix.size()), Mark{select.Int(1), select.Int(2) != 0});
      }
    }
    return marks;
  });
}

std::vector<win::DWORD> Machine::Attributes(const ResolvedPath& folder,
                                            const std::vector<HostEntry>& entries) const {
  const std::string prefix =
      folder.windowsPath.back() == '\\' ? folder.windowsPath : folder.windowsPath + '\\';
  const auto marks = FolderMarks(KeyPrefix(folder.windowsPath));
  std::vector<win::DWORD> attributes;
  attributes.reserve(entries.size());
  for (const HostEntry& entry : entries) {
    std::optional<Mark> mark;
    if (!marks->empty()) {
      if (const auto found = marks->find(FoldCase(entry.name)); found != marks->end()) {
        mark = found->second;
      }
    }
    attributes.push_back(Reported(prefix, entry.name, entry.status.folder, mark));
  }
  return attributes;
}

win::DWORD Machine::Reported(std::string_view folder, std::string_view name, bool isFolder,
                             const std::optional<Mark>& mark) const {
  win::DWORD attributes = isFolder ? 0 : win::FILE_ATTRIBUTE_ARCHIVE;
  if (mark) {
    if (!mark->integer || (mark->value & ~std::int64_t{kDosAttributes}) != 0) {
      throw StateError(Name() + ": its state store holds bad attributes for " +
                       std::string(folder).append(name));
    }
    attributes = static_cast<win::DWORD>(mark->value);
  }
  if (isFolder) return attributes | win::FILE_ATTRIBUTE_DIRECTORY;
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
