// An emulated Windows machine kept in a folder. Everything the program does
// to "Windows" lands inside that folder and nowhere else.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/api/win_types.h"
#include "platform/sim/machine/drive_folders.h"
#include "platform/sim/machine/machine_error.h"
#include "platform/sim/machine/profile.h"
#include "platform/sim/machine/state_store.h"
#include "platform/sim/machine/windows_path.h"

namespace lyn::sim {

// A Windows path of the machine resolved to its drive folders. It names no
// host path: the machine's files are reached only through DriveFolders, by
// drive path, and the emulated libraries change them only through the file
// layer.
struct ResolvedPath {
  std::string windowsPath;  // absolute, normalised: "C:\Windows\system32"
  std::string drivePath;    // the same below the drives folder: "C/Windows/system32"
  char drive = 'C';
  bool exists = false;  // the path exists (file or folder)
  bool folder = false;  // ... and is a folder
  // The folder holding the last name ("C:\" for a root's entries; empty for
  // a drive root itself), and whether it exists as a folder.
  std::string parentPath;
  std::string parentDrivePath;
  bool parentExists = false;
};

class Machine {
 public:
  // Makes a new machine in an empty or absent folder: the profile file, the
  // state store, a folder for each drive, and the profile's folders on them (under WOW64
  // both the system folder and SysWOW64). Throws MachineError when the folder
  // is in use or the profile's folders are not absolute paths on its drives.
  static Machine Create(const std::filesystem::path& folder, const Profile& profile);
  // Opens an existing machine; throws MachineError when the folder is not one
  // or its profile is malformed, and StateError when its state store is
  // missing, damaged or of another schema version.
  static Machine Open(const std::filesystem::path& folder);
  // Changes the profile of an existing machine: `change` gets the profile as
  // the file holds it now, under a lock that every writer of the file takes,
  // so that changes made at the same time all survive. The file keeps its
  // comments and the order of its lines; the drives and folders the new
  // profile names are made; files already on the machine stay. Throws
  // MachineError as Open and Create do, and what `change` throws.
  static Machine ChangeProfile(const std::filesystem::path& folder,
                               const std::function<void(Profile&)>& change);

  const std::filesystem::path& Root() const { return root_; }
  const Profile& profile() const { return profile_; }
  // Everything the machine keeps beside its drive folders. Copies of a
  // Machine share one store.
  StateStore& State() const { return *store_; }
  // The only way to the host files of the machine's drives.
  const DriveFolders& drives() const { return *drives_; }

  // Resolves an absolute or current-folder-relative Windows path (UTF-8).
  // Existing components match case-insensitively; missing ones keep their
  // case. "." and ".." are folded as Windows folds them; under WOW64 the
  // system folder is redirected to SysWOW64. Throws MachineError when the
  // path goes through a symbolic link (the machine follows none, wherever it
  // points), is on an unknown drive or is a host path, or the name is not a
  // Windows name.
  ResolvedPath Resolve(std::string_view windowsPath) const;

  // The case-folded paths of the profile's folders as Resolve names them
  // (under WOW64 the system folder is SysWOW64's), for comparing paths with.
  struct FolderKeys {
    std::string windows;
    std::string system;
    std::string programFiles;
    std::string commonFiles;
    std::string desktop;
    std::string commonPrograms;
  };
  const FolderKeys& folderKeys() const { return folderKeys_; }

  // Text conversion between the machine's ANSI code page and UTF-8 (host
  // file names and the program's own texts are UTF-8).
  std::string AnsiToUtf8(std::string_view ansi) const;
  std::string Utf8ToAnsi(std::string_view utf8) const;

  // DOS attributes kept beside the files (read-only, hidden, system, archive);
  // the directory bit comes from the host. A file nobody set attributes on is
  // an archive file, a file with none set reports FILE_ATTRIBUTE_NORMAL.
  // INVALID_FILE_ATTRIBUTES when the path does not exist. The marks belong to
  // the path: the file layer forgets them when it deletes what is there. A
  // damaged mark throws StateError.
  win::DWORD Attributes(std::string_view windowsPath) const;
  // The same for a path Resolve gave.
  win::DWORD Attributes(const ResolvedPath& path) const;
  // The attributes of entries of the existing folder `folder` (by their host
  // names, in the order given), read in one pass over the folder's marks.
  std::vector<win::DWORD> Attributes(const ResolvedPath& folder,
                                     const std::vector<HostEntry>& entries) const;
  void SetAttributes(std::string_view windowsPath, win::DWORD attributes) const;
  // The same for a path Resolve gave, whether or not it still exists.
  void SetAttributes(const ResolvedPath& path, win::DWORD attributes) const;

 private:
  friend std::filesystem::path HostPathOf(const Machine& machine, std::string_view windowsPath);

  Machine(std::filesystem::path root, Profile profile);

  // Writes the profile file (keeping the comments and line order of
  // `previous`) and makes the profile's drives and folders.
  void WriteProfile(const std::string& previous = "") const;
  // Resolve without turning host errors into MachineError.
  ResolvedPath Redirect(std::string_view windowsPath) const;
  // The path parsed and, under WOW64, redirected, before it meets the host.
  WindowsPath Redirected(std::string_view windowsPath) const;
  // Maps a parsed path to the host without WOW64 redirection.
  ResolvedPath Map(const WindowsPath& path, std::string_view asGiven) const;
  std::filesystem::path DrivesFolder() const { return root_ / "drives"; }
  // Where the indexes of the drives' large folders are kept: copies, which
  // the machine makes again when they are missing or out of date.
  std::filesystem::path IndexFolder() const { return root_ / "names"; }
  // An attribute mark as the store holds it.
  struct Mark {
    std::int64_t value = 0;
    bool integer = false;
  };
  // The marks of a folder's entries by case-folded name, the folder given by
  // its key prefix ("c:\windows\"): read once while the store is unchanged.
  using Marks = std::unordered_map<std::string, Mark>;
  std::shared_ptr<const Marks> FolderMarks(const std::string& prefix) const;
  // The case-folded key of a folder, ending in a backslash, that its entries' keys
  // start with.
  static std::string KeyPrefix(const std::string& folder);
  // The attributes the path `folder` + `name` with this mark (nullopt: none)
  // reports; a damaged mark throws StateError.
  win::DWORD Reported(std::string_view folder, std::string_view name, bool isFolder,
                      const std::optional<Mark>& mark) const;
  // "machine '<folder>'", for messages.
  std::string Name() const;

  std::filesystem::path root_;
  Profile profile_;
  std::shared_ptr<StateStore> store_;
  std::shared_ptr<const DriveFolders> drives_;
  WindowsPath currentDirectory_;
  WindowsPath windowsDirectory_;
  WindowsPath systemDirectory_;
  FolderKeys folderKeys_;
  bool asciiCodePage_ = false;  // ASCII text is the same in the ANSI code page
};

}  // namespace lyn::sim
