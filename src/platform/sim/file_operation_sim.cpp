// The shell's file operation on the emulated machine: copy and delete with the
// results Windows gives.
//
// The machine shows no shell dialogs. A question the flags answer (overwrite,
// delete, create a missing folder: FOF_NOCONFIRMATION answers them all, and
// FOF_NOCONFIRMMKDIR the last) is answered yes; any other question cancels the
// operation, as if the person had pressed Cancel (DE_OPCANCELLED, with
// fAnyOperationsAborted set). A folder carrying the read-only attribute is one
// the user may not write: nothing can be created in or deleted from it. A file
// the machine marks in use can be neither replaced nor deleted. Moving and
// renaming are not offered by this machine.
#include <cerrno>
#include <optional>
#include <string>
#include <vector>

#include "platform/sim/last_error.h"
#include "platform/sim/machine/windows_path.h"
#include "platform/sim/shell32_sim.h"

namespace lyn::sim {
namespace {

using win::DWORD;

// The result for a host failure the machine has no better name for.
constexpr int kUnknownError = 0x402;
constexpr DWORD kKeptAttributes =
    win::FILE_ATTRIBUTE_READONLY | win::FILE_ATTRIBUTE_HIDDEN | win::FILE_ATTRIBUTE_SYSTEM;

// A host failure (-errno) as the operation's result.
int HostError(int error) {
  if (error == -EACCES || error == -EPERM) return win::ERROR_ACCESS_DENIED;
  return kUnknownError;
}

// The paths of a list: each ended by a NUL, the list by a second NUL.
std::vector<std::string> PathList(const Machine& machine, win::LPCSTR list) {
  std::vector<std::string> paths;
  for (const char* entry = list; entry != nullptr && *entry != '\0';
       entry += std::char_traits<char>::length(entry) + 1) {
    paths.push_back(machine.AnsiToUtf8(entry));
  }
  return paths;
}

class FileOperation {
 public:
  FileOperation(const Machine& machine, win::FILEOP_FLAGS flags)
      : machine_(machine), flags_(flags) {}

  bool aborted() const { return aborted_; }

  int Copy(const std::vector<std::string>& sources, const std::string& destination) {
    std::vector<ResolvedPath> resolved;
    for (const std::string& source : sources) {
      const auto path = TryResolve(source);
      if (!path) return win::DE_INVALIDFILES;
      if (!path->exists) return win::ERROR_FILE_NOT_FOUND;
      resolved.push_back(*path);
    }
    const auto target = TryResolve(destination);
    if (!target) return win::ERROR_PATH_NOT_FOUND;
    // Several sources, or an existing folder, make the destination a folder
    // to copy into; otherwise it names the copy itself.
    const bool intoFolder = resolved.size() > 1 || IsFolder(*target);
    for (const ResolvedPath& source : resolved) {
      const ResolvedPath copy =
          intoFolder ? Child(*target, source.hostPath.filename().string()) : *target;
      if (const int result = CopyOne(source, copy)) return result;
    }
    return 0;
  }

  int Delete(const std::vector<std::string>& paths) {
    for (const std::string& text : paths) {
      const auto path = TryResolve(text);
      if (!path) return win::DE_INVALIDFILES;
      if (!path->exists) {
        return Parent(*path).exists ? win::ERROR_FILE_NOT_FOUND : win::DE_INVALIDFILES;
      }
      // A drive's root is not a folder that can go.
      if (path->windowsPath.size() == 3) return win::ERROR_ACCESS_DENIED;
      if (!Confirmed()) return Cancel();
      if (const int result = DeleteTree(*path)) return result;
    }
    return 0;
  }

 private:
  bool Confirmed() const { return (flags_ & win::FOF_NOCONFIRMATION) != 0; }

  int Cancel() {
    aborted_ = true;
    return win::DE_OPCANCELLED;
  }

  std::optional<ResolvedPath> TryResolve(const std::string& path) const {
    try {
      return machine_.Resolve(path.empty() ? machine_.profile().CurrentDirectory : path);
    } catch (const MachineError&) {
      return std::nullopt;
    }
  }

  ResolvedPath Child(const ResolvedPath& folder, const std::string& name) const {
    return machine_.Resolve(folder.windowsPath + "\\" + name);
  }
  ResolvedPath Parent(const ResolvedPath& path) const {
    return machine_.Resolve(path.windowsPath + "\\..");
  }

  static bool IsFolder(const ResolvedPath& path) { return path.folder; }

  bool Writable(const ResolvedPath& folder) const {
    return (machine_.Attributes(folder) & win::FILE_ATTRIBUTE_READONLY) == 0;
  }

  int CopyOne(const ResolvedPath& source, const ResolvedPath& target) {
    if (target.exists && target.drivePath == source.drivePath) return win::DE_SAMEFILE;
    if (!IsFolder(source)) {
      return IsFolder(target) ? win::DE_FILEDESTISFLD : CopyFile(source, target);
    }
    if (IsAtOrBelow(ParseWindowsPath(target.windowsPath, nullptr),
                    ParseWindowsPath(source.windowsPath, nullptr))) {
      return win::DE_DESTSUBTREE;
    }
    if (target.exists && !IsFolder(target)) return win::DE_FLDDESTISFILE;
    return CopyFolder(source, target);
  }

  // Makes sure the folder that is to receive a new entry exists and may be
  // written.
  int PrepareFolder(const ResolvedPath& folder) {
    if (!folder.exists) return MakeFolders(folder);
    if (!IsFolder(folder)) return win::ERROR_PATH_NOT_FOUND;
    return Writable(folder) ? 0 : win::ERROR_ACCESS_DENIED;
  }

  int MakeFolders(const ResolvedPath& folder) {
    if (!Confirmed() && (flags_ & win::FOF_NOCONFIRMMKDIR) == 0) return Cancel();
    ResolvedPath existing = Parent(folder);
    while (!existing.exists) existing = Parent(existing);
    if (!IsFolder(existing)) return win::ERROR_PATH_NOT_FOUND;
    if (!Writable(existing)) return win::ERROR_ACCESS_DENIED;
    const int error = machine_.drives().MakeFolders(folder.drivePath);
    return error != 0 ? HostError(error) : 0;
  }

  int CopyFile(const ResolvedPath& source, const ResolvedPath& target) {
    if (const int result = PrepareFolder(Parent(target))) return result;
    if (target.exists) {
      if (machine_.InUse(target)) return win::ERROR_SHARING_VIOLATION;
      if (!Confirmed()) return Cancel();
    }
    if (const int error = machine_.drives().Copy(source.drivePath, target.drivePath)) {
      return HostError(error);
    }
    machine_.SetAttributes(
        target, (machine_.Attributes(source) & kKeptAttributes) | win::FILE_ATTRIBUTE_ARCHIVE);
    return 0;
  }

  int CopyFolder(const ResolvedPath& source, const ResolvedPath& target) {
    if (!target.exists) {
      if (const int result = PrepareFolder(Parent(target))) return result;
      if (const int error = machine_.drives().MakeFolder(target.drivePath)) {
        return HostError(error);
      }
    }
    const ResolvedPath folder = machine_.Resolve(target.windowsPath);
    std::vector<HostEntry> entries;
    if (const int error = machine_.drives().List(source.drivePath, entries)) {
      return HostError(error);
    }
    for (const HostEntry& entry : entries) {
      // Links are not followed: they may lead out of the machine.
      if (entry.status.link) continue;
      if (const int result = CopyOne(Child(source, entry.name), Child(folder, entry.name))) {
        return result;
      }
    }
    // The folder's own attributes last, so a read-only source folder does
    // not keep its copy from being filled.
    machine_.SetAttributes(folder, machine_.Attributes(source) & kKeptAttributes);
    return 0;
  }

  // Deletes a file, or a folder with everything in it; the machine's marks
  // of each deleted path are reset to what a new entry has.
  int DeleteTree(const ResolvedPath& path) {
    if (!Writable(Parent(path))) return win::ERROR_ACCESS_DENIED;
    if (path.folder) {
      std::vector<HostEntry> entries;
      if (const int error = machine_.drives().List(path.drivePath, entries)) {
        return HostError(error);
      }
      for (const HostEntry& entry : entries) {
        // A link goes itself; where it points is not the machine's.
        const int result = entry.status.link ? RemoveHost(path.drivePath + '/' + entry.name)
                                             : DeleteTree(Child(path, entry.name));
        if (result != 0) return result;
      }
    } else if (machine_.InUse(path)) {
      return win::ERROR_SHARING_VIOLATION;
    }
    if (const int result = RemoveHost(path.drivePath)) return result;
    machine_.SetAttributes(path, path.folder ? 0 : win::FILE_ATTRIBUTE_ARCHIVE);
    return 0;
  }

  int RemoveHost(const std::string& drivePath) const {
    const int error = machine_.drives().Remove(drivePath);
    return error != 0 ? HostError(error) : 0;
  }

  const Machine& machine_;
  win::FILEOP_FLAGS flags_;
  bool aborted_ = false;
};

}  // namespace

int SimShell32::SHFileOperationA(win::SHFILEOPSTRUCTA* operation) {
  return Guarded([](win::DWORD error) { return static_cast<int>(error); },
                 [&]() -> int {
                   if (operation == nullptr) return win::ERROR_INVALID_PARAMETER;
                   operation->fAnyOperationsAborted = win::FALSE;
                   const std::vector<std::string> sources = PathList(machine_, operation->pFrom);
                   if (sources.empty()) return win::ERROR_ACCESS_DENIED;

                   FileOperation fileOperation(machine_, operation->fFlags);
                   int result = win::ERROR_INVALID_PARAMETER;
                   try {
                     if (operation->wFunc == win::FO_COPY) {
                       // Only the first destination counts without FOF_MULTIDESTFILES.
                       const std::vector<std::string> destinations =
                           PathList(machine_, operation->pTo);
                       result = fileOperation.Copy(
                           sources, destinations.empty() ? std::string() : destinations[0]);
                     } else if (operation->wFunc == win::FO_DELETE) {
                       result = fileOperation.Delete(sources);
                     }
                   } catch (const MachineError&) {
                     // An entry on the way that Windows could not name.
                     result = kUnknownError;
                   }
                   if (fileOperation.aborted()) operation->fAnyOperationsAborted = win::TRUE;
                   return result;
                 });
}

}  // namespace lyn::sim
