// The shell's file operation on the emulated machine: copy and delete with the
// results Windows gives.
//
// The machine shows no shell dialogs. A question the flags answer (overwrite,
// delete, create a missing folder: FOF_NOCONFIRMATION answers them all, and
// FOF_NOCONFIRMMKDIR the last) is answered yes; any other question cancels the
// operation, as if the person had pressed Cancel (DE_OPCANCELLED, with
// fAnyOperationsAborted set). Every file and folder is read, made, replaced
// and deleted through the file layer, so the access lists, the attributes and
// the open handles of every process decide as they do for kernel32; the first
// entry that fails ends the operation with the layer's error. Moving and
// renaming are not offered by this machine.
#include <optional>
#include <string>
#include <vector>

#include "platform/sim/files/file_layer.h"
#include "platform/sim/last_error.h"
#include "platform/sim/machine/windows_path.h"
#include "platform/sim/shell32_sim.h"

namespace lyn::sim {
namespace {

using win::DWORD;

// The result for an entry on the way that Windows could not name.
constexpr int kUnknownError = 0x402;
// The result for a file whose copy failed: ERROR_CANCELLED.
constexpr int kCopyFailed = 1223;

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
      : machine_(machine), files_(machine), flags_(flags) {}

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
          intoFolder ? Child(*target, source.windowsPath.substr(source.windowsPath.rfind('\\') + 1))
                     : *target;
      if (const int result = CopyOne(source, copy)) return result;
    }
    return 0;
  }

  int Delete(const std::vector<std::string>& paths) {
    for (const std::string& text : paths) {
      const auto path = TryResolve(text);
      if (!path) return win::DE_INVALIDFILES;
      if (!path->exists) {
        return path->parentExists ? win::ERROR_FILE_NOT_FOUND : win::DE_INVALIDFILES;
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
    ResolvedPath resolved;
    if (files_.Resolve(path.empty() ? machine_.profile().CurrentDirectory : path, resolved)) {
      return std::nullopt;
    }
    return resolved;
  }

  ResolvedPath Child(const ResolvedPath& folder, const std::string& name) const {
    return machine_.Resolve(folder.windowsPath + "\\" + name);
  }
  ResolvedPath Parent(const ResolvedPath& path) const { return machine_.Resolve(path.parentPath); }

  static bool IsFolder(const ResolvedPath& path) { return path.folder; }

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

  // Makes sure the folder that is to receive a new entry exists.
  int PrepareFolder(const ResolvedPath& folder) {
    if (!folder.exists) return MakeFolders(folder);
    return IsFolder(folder) ? 0 : win::ERROR_PATH_NOT_FOUND;
  }

  // Makes a missing folder and those missing above it, from the top down.
  int MakeFolders(const ResolvedPath& folder) {
    if (!Confirmed() && (flags_ & win::FOF_NOCONFIRMMKDIR) == 0) return Cancel();
    std::vector<ResolvedPath> missing{folder};
    while (!missing.back().parentExists) {
      const ResolvedPath above = Parent(missing.back());
      if (above.exists) return win::ERROR_PATH_NOT_FOUND;  // a file on the way
      missing.push_back(above);
    }
    for (auto made = missing.rbegin(); made != missing.rend(); ++made) {
      if (const int result = Result(files_.MakeFolder(machine_.Resolve(made->windowsPath)))) {
        return result;
      }
    }
    return 0;
  }

  int CopyFile(const ResolvedPath& source, const ResolvedPath& target) {
    if (const int result = PrepareFolder(Parent(target))) return result;
    const ResolvedPath copy = machine_.Resolve(target.windowsPath);
    if (copy.exists) {
      if (!Confirmed()) return Cancel();
      // The answer yes replaces a read-only file too: its attribute goes first.
      const win::DWORD present = machine_.Attributes(copy);
      if ((present & win::FILE_ATTRIBUTE_READONLY) != 0) {
        const win::DWORD cleared = present & ~win::FILE_ATTRIBUTE_READONLY;
        if (const int result = Result(files_.SetAttributes(copy, cleared))) return result;
      }
    }
    // The shell reports a file the file system would not copy (in use,
    // refused by a list) as an operation cancelled and aborted.
    if (files_.Copy(source, copy) == win::ERROR_SUCCESS) return 0;
    aborted_ = true;
    return kCopyFailed;
  }

  int CopyFolder(const ResolvedPath& source, const ResolvedPath& target) {
    if (!target.exists) {
      if (const int result = PrepareFolder(Parent(target))) return result;
      if (const int result = Result(files_.MakeFolder(machine_.Resolve(target.windowsPath)))) {
        return result;
      }
    }
    const ResolvedPath folder = machine_.Resolve(target.windowsPath);
    std::vector<HostEntry> entries;
    if (const int result = Result(files_.List(source, entries))) return result;
    for (const HostEntry& entry : entries) {
      if (const int result = CopyOne(Child(source, entry.name), Child(folder, entry.name))) {
        return result;
      }
    }
    // The folder's own attributes last, so a read-only source folder does
    // not keep its copy from being filled.
    const win::DWORD kept =
        machine_.Attributes(source) &
        (win::FILE_ATTRIBUTE_READONLY | win::FILE_ATTRIBUTE_HIDDEN | win::FILE_ATTRIBUTE_SYSTEM);
    return kept == 0 ? 0 : Result(files_.SetAttributes(folder, kept));
  }

  // Deletes a file, or a folder with everything in it, entries in the order
  // the file system lists them; the first that cannot go ends the deletion,
  // leaving it and whatever follows it. The answer yes deletes a read-only
  // file too: its attribute goes first.
  int DeleteTree(const ResolvedPath& path) {
    if (path.folder) {
      std::vector<HostEntry> entries;
      if (const int result = Result(files_.List(path, entries))) return result;
      for (const HostEntry& entry : entries) {
        if (const int result = DeleteTree(Child(path, entry.name))) return result;
      }
      return Result(files_.RemoveFolder(machine_.Resolve(path.windowsPath)));
    }
    const win::DWORD present = machine_.Attributes(path);
    if ((present & win::FILE_ATTRIBUTE_READONLY) != 0) {
      const win::DWORD cleared = present & ~win::FILE_ATTRIBUTE_READONLY;
      if (const int result = Result(files_.SetAttributes(path, cleared))) return result;
    }
    return Result(files_.DeleteFile(path));
  }

  static int Result(win::DWORD error) { return static_cast<int>(error); }

  const Machine& machine_;
  FileLayer files_;
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
                   // Only the first destination counts without FOF_MULTIDESTFILES.
                   std::string destination;
                   try {
                     if (operation->wFunc == win::FO_COPY) {
                       const std::vector<std::string> destinations =
                           PathList(machine_, operation->pTo);
                       if (!destinations.empty()) destination = destinations[0];
                       result = fileOperation.Copy(sources, destination);
                     } else if (operation->wFunc == win::FO_DELETE) {
                       result = fileOperation.Delete(sources);
                     }
                   } catch (const MachineError&) {
                     // An entry on the way that Windows could not name.
                     result = kUnknownError;
                   }
                   if (fileOperation.aborted()) operation->fAnyOperationsAborted = win::TRUE;
                   if (operation->wFunc == win::FO_COPY && result != 0) {
                     notCopied_.push_back(destination);
                   }
                   return result;
                 });
}

}  // namespace lyn::sim
