#include "platform/sim/files/file_layer.h"

#include <fcntl.h>

#include <algorithm>
#include <cerrno>
#include <mutex>
#include <set>
#include <utility>
#include <vector>

#include "platform/sim/files/host_errors.h"
#include "platform/sim/machine/case_fold.h"
#include "platform/sim/machine/process_identity.h"
#include "platform/sim/security/access_check.h"

namespace lyn::sim {

using namespace win;

namespace {

constexpr DWORD kDosAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                                 FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
// The rights that take part in the share checks; a handle holding none of
// them (attributes only, say) neither refuses nor is refused.
constexpr DWORD kReadRights = FILE_READ_DATA | FILE_EXECUTE;
constexpr DWORD kWriteRights = FILE_WRITE_DATA | FILE_APPEND_DATA;
constexpr DWORD kSharedRights = kReadRights | kWriteRights | DELETE;

// Whether a handle's share mode refuses an open asking for these rights.
bool Refuses(DWORD share, DWORD rights) {
  return ((rights & kReadRights) != 0 && (share & FILE_SHARE_READ) == 0) ||
         ((rights & kWriteRights) != 0 && (share & FILE_SHARE_WRITE) == 0) ||
         ((rights & DELETE) != 0 && (share & FILE_SHARE_DELETE) == 0);
}

DWORD Missing(const ResolvedPath& path) {
  return path.parentExists ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND;
}

// The keys of a path and of everything below it: the path's own, and the
// range from "<key>\" up to, not including, "<key>]" (']' follows '\').
struct KeyRange {
  std::string key;
  std::string from;
  std::string to;
  explicit KeyRange(const std::string& windowsPath)
      : key(FoldCase(windowsPath)), from(key + '\\'), to(key + static_cast<char>('\\' + 1)) {}
};

// Handles this process closed whose records the store could not delete (a
// full disk, a failing device): closed all the same, they refuse nobody,
// and their records go with the next release the store takes.
class Unreleased {
 public:
  void Add(const StateStore* store, std::int64_t handle) {
    const std::lock_guard held(lock_);
    handles_.insert({store, handle});
  }
  bool Has(const StateStore* store, std::int64_t handle) const {
    const std::lock_guard held(lock_);
    return handles_.count({store, handle}) != 0;
  }
  std::vector<std::int64_t> Of(const StateStore* store) const {
    const std::lock_guard held(lock_);
    std::vector<std::int64_t> handles;
    for (const auto& [owner, handle] : handles_) {
      if (owner == store) handles.push_back(handle);
    }
    return handles;
  }
  void Forget(const StateStore* store, const std::vector<std::int64_t>& handles) {
    const std::lock_guard held(lock_);
    for (const std::int64_t handle : handles) handles_.erase({store, handle});
  }

 private:
  mutable std::mutex lock_;
  std::set<std::pair<const StateStore*, std::int64_t>> handles_;
};

Unreleased& UnreleasedHandles() {
  static Unreleased unreleased;
  return unreleased;
}

}  // namespace

OpenRecord::OpenRecord(OpenRecord&& other) noexcept : store_(other.store_), handle_(other.handle_) {
  other.store_ = nullptr;
}

OpenRecord& OpenRecord::operator=(OpenRecord&& other) noexcept {
  if (this != &other) {
    Release();
    store_ = other.store_;
    handle_ = other.handle_;
    other.store_ = nullptr;
  }
  return *this;
}

OpenRecord::~OpenRecord() {
  Release();
}

void OpenRecord::Release() noexcept {
  if (store_ == nullptr) return;
  try {
    std::vector<std::int64_t> handles = UnreleasedHandles().Of(store_);
    handles.push_back(handle_);
    store_->Write([&](const Transaction& t) {
      for (const std::int64_t handle : handles) {
        t.Prepare("DELETE FROM open_files WHERE handle = ?1").Bind(1, handle).Run();
      }
    });
    UnreleasedHandles().Forget(store_, handles);
  } catch (...) {
    UnreleasedHandles().Add(store_, handle_);
  }
  store_ = nullptr;
}

DWORD FileLayer::Resolve(std::string_view path, ResolvedPath& resolved) const {
  try {
    resolved = machine_.Resolve(path);
    return ERROR_SUCCESS;
  } catch (const StateError&) {
    throw;  // damage in the store is not a bad path: Guarded reports it
  } catch (const MachineError&) {
    return ERROR_PATH_NOT_FOUND;
  }
}

bool FileLayer::ReadOnlyVolume(char drive) const {
  // The CD file system takes no new entries and grants no right to change
  // one: it refuses such opens as access denied.
  const auto found = machine_.profile().drives.find(drive);
  return found != machine_.profile().drives.end() && FoldCase(found->second.fileSystem) == "cdfs";
}

bool FileLayer::Granted(const ResolvedPath& path, DWORD rights) const {
  return rights == 0 || security_.UserAccess(security_.FileObject(path), rights) != 0;
}

bool FileLayer::GrantedOnParent(const ResolvedPath& path, DWORD rights) const {
  ResolvedPath parent;
  parent.windowsPath = path.parentPath;
  parent.drivePath = path.parentDrivePath;
  parent.drive = path.drive;
  parent.exists = parent.folder = true;
  return Granted(parent, rights);
}

bool FileLayer::MayDelete(const ResolvedPath& path) const {
  return Granted(path, DELETE) || GrantedOnParent(path, FILE_DELETE_CHILD);
}

DWORD FileLayer::CheckSharing(const ResolvedPath& path, DWORD rights, DWORD share) const {
  if ((rights & kSharedRights) == 0) return ERROR_SUCCESS;
  struct Handle {
    DWORD access;
    DWORD share;
    ProcessIdentity owner;
    std::int64_t handle;
  };
  const std::string key = FoldCase(path.windowsPath);
  const auto handles =
      machine_.State().Kept<std::vector<Handle>>("open files " + key, [&](const Transaction& t) {
        auto select = t.Prepare(
            "SELECT access, share, process_id, process_start, handle FROM open_files "
            "WHERE path_key = ?1");
        select.Bind(1, key);
        std::vector<Handle> found;
        while (select.Step()) {
          found.push_back(Handle{static_cast<DWORD>(select.Int(0)),
                                 static_cast<DWORD>(select.Int(1)),
                                 ProcessIdentity{static_cast<int>(select.Int(2)),
                                                 static_cast<unsigned long long>(select.Int(3))},
                                 select.Int(4)});
        }
        return found;
      });
  for (const Handle& handle : *handles) {
    if (UnreleasedHandles().Has(&machine_.State(), handle.handle)) continue;
    if (!Refuses(handle.share, rights) && !Refuses(share, handle.access)) continue;
    if (IsRunning(handle.owner)) return ERROR_SHARING_VIOLATION;
  }
  return ERROR_SUCCESS;
}

DWORD FileLayer::CheckOpen(const ResolvedPath& path, DWORD rights, DWORD share, DWORD disposition,
                           DWORD attributes) const {
  if (!path.parentExists) return ERROR_PATH_NOT_FOUND;
  // A folder is not opened as a file.
  if (path.folder) return ERROR_ACCESS_DENIED;
  if (path.exists && disposition == CREATE_NEW) return ERROR_FILE_EXISTS;
  if (!path.exists && (disposition == OPEN_EXISTING || disposition == TRUNCATE_EXISTING)) {
    return ERROR_FILE_NOT_FOUND;
  }
  const bool truncates =
      path.exists && (disposition == CREATE_ALWAYS || disposition == TRUNCATE_EXISTING);
  const DWORD asked = rights | (truncates ? FILE_WRITE_DATA : 0);
  const bool changes = !path.exists || (asked & (kWriteRights | DELETE)) != 0;
  if (changes && ReadOnlyVolume(path.drive)) return ERROR_ACCESS_DENIED;
  if (!path.exists)
    return GrantedOnParent(path, FILE_ADD_FILE) ? ERROR_SUCCESS : ERROR_ACCESS_DENIED;
  if (!Granted(path, asked)) return ERROR_ACCESS_DENIED;
  const DWORD present = machine_.Attributes(path);
  if ((present & FILE_ATTRIBUTE_READONLY) != 0 && (asked & (kWriteRights | DELETE)) != 0) {
    return ERROR_ACCESS_DENIED;
  }
  // Replacing a hidden or system file must restate those attributes.
  const DWORD hiddenOrSystem = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
  if (disposition == CREATE_ALWAYS && (present & hiddenOrSystem & ~attributes) != 0) {
    return ERROR_ACCESS_DENIED;
  }
  return CheckSharing(path, asked, share);
}

DWORD FileLayer::Open(const ResolvedPath& path, DWORD access, DWORD share, DWORD disposition,
                      DWORD attributes, OpenedFile& opened) const {
  if (disposition < CREATE_NEW || disposition > TRUNCATE_EXISTING) return ERROR_INVALID_PARAMETER;
  const DWORD rights = MapGeneric(access, kFileMapping) & ~(SYNCHRONIZE | FILE_READ_ATTRIBUTES);
  const bool truncates =
      path.exists && (disposition == CREATE_ALWAYS || disposition == TRUNCATE_EXISTING);
  const int how = ((rights & kWriteRights) != 0 || truncates ? O_RDWR : O_RDONLY) |
                  (!path.exists ? O_CREAT | O_EXCL
                   : truncates  ? O_TRUNC
                                : 0);
  const DWORD error = machine_.State().Write([&](const Transaction& t) -> DWORD {
    if (const DWORD error = CheckOpen(path, rights, share, disposition, attributes)) return error;
    // A new file is made once its records are in the store (below): a
    // process ended in between leaves records without a file, which nothing
    // reads, rather than a file without records, which would pass for one
    // that came with Windows.
    if (path.exists) {
      if (const int failed = machine_.drives().Open(path.drivePath, how, opened.fd)) {
        return WindowsErrorOfHost(-failed);
      }
    }
    // CREATE_ALWAYS gives a replaced file the new attributes; a truncated
    // one keeps its own.
    if (!path.exists || disposition == CREATE_ALWAYS) {
      Made(path, false, attributes, path.exists);
    }
    opened.existed = path.exists;
    if ((rights & kSharedRights) != 0) {
      const ProcessIdentity self = ThisProcessIdentity();
      auto insert = t.Prepare(
          "INSERT INTO open_files (path_key, process_id, process_start, access, share) "
          "VALUES (?1, ?2, ?3, ?4, ?5) RETURNING handle");
      insert.Bind(1, FoldCase(path.windowsPath))
          .Bind(2, std::int64_t{self.id})
          .Bind(3, static_cast<std::int64_t>(self.start))
          .Bind(4, std::int64_t{rights | (truncates ? FILE_WRITE_DATA : 0)})
          .Bind(5, std::int64_t{share & kShareAll});
      insert.Step();
      opened.record = OpenRecord(machine_.State(), insert.Int(0));
    }
    return ERROR_SUCCESS;
  });
  if (error != ERROR_SUCCESS || path.exists) return error;
  if (const int failed = machine_.drives().Open(path.drivePath, how, opened.fd)) {
    opened.record = OpenRecord();
    // Made by another process in the meantime, the file keeps its records.
    if (failed == -EEXIST) return ERROR_FILE_EXISTS;
    Forget(path);
    return WindowsErrorOfHost(-failed);
  }
  return ERROR_SUCCESS;
}

DWORD FileLayer::Write(const OpenedFile& file, const void* data, std::size_t size) const {
  const int error = machine_.drives().Write(file.fd.get(), data, size);
  return error == 0 ? ERROR_SUCCESS : WindowsErrorOfHost(-error);
}

void FileLayer::Made(const ResolvedPath& path, bool folder, DWORD attributes, bool existed) const {
  const DWORD kept = attributes & kDosAttributes;
  // A new file without a mark is an archive file, a new folder one with no
  // attributes: only other attributes, or a replaced file's, are written.
  if (existed || kept != (folder ? 0 : FILE_ATTRIBUTE_ARCHIVE)) machine_.SetAttributes(path, kept);
  if (!existed) {
    SecuredObject object = security_.FileObject(path);
    object.exists = true;
    object.container = folder;
    security_.Created(object);
  }
}

void FileLayer::Forget(const ResolvedPath& path) const {
  const KeyRange keys(path.windowsPath);
  machine_.State().Write([&](const Transaction& t) {
    t.Prepare(
         "DELETE FROM file_attributes WHERE path_key = ?1 OR (path_key >= ?2 AND path_key < ?3)")
        .Bind(1, keys.key)
        .Bind(2, keys.from)
        .Bind(3, keys.to)
        .Run();
    security_.Forget(security_.FileObject(path));
  });
}

void FileLayer::Discard(const ResolvedPath& path, OpenedFile& file) const {
  file.fd = UniqueFd();
  file.record = OpenRecord();
  machine_.drives().Remove(path.drivePath);
  Forget(path);
}

DWORD FileLayer::MakeFolder(const ResolvedPath& path) const {
  // A drive root cannot be made.
  if (path.parentPath.empty()) return ERROR_ACCESS_DENIED;
  if (path.exists) return ERROR_ALREADY_EXISTS;
  if (!path.parentExists) return ERROR_PATH_NOT_FOUND;
  if (ReadOnlyVolume(path.drive)) return ERROR_ACCESS_DENIED;
  // Recorded before it is made, as a new file is (Open).
  const DWORD refused = machine_.State().Write([&](const Transaction&) -> DWORD {
    if (!GrantedOnParent(path, FILE_ADD_SUBDIRECTORY)) return ERROR_ACCESS_DENIED;
    Made(path, true, 0, false);
    return ERROR_SUCCESS;
  });
  if (refused != ERROR_SUCCESS) return refused;
  if (const int failed = machine_.drives().MakeFolder(path.drivePath)) {
    if (failed != -EEXIST) Forget(path);
    return WindowsErrorOfHost(-failed);
  }
  return ERROR_SUCCESS;
}

DWORD FileLayer::DeleteFile(const ResolvedPath& path) const {
  if (!path.exists) return Missing(path);
  if (path.folder || ReadOnlyVolume(path.drive)) return ERROR_ACCESS_DENIED;
  return machine_.State().Write([&](const Transaction&) -> DWORD {
    if (!MayDelete(path)) return ERROR_ACCESS_DENIED;
    // A read-only file cannot be deleted until the attribute goes.
    if ((machine_.Attributes(path) & FILE_ATTRIBUTE_READONLY) != 0) return ERROR_ACCESS_DENIED;
    if (const DWORD error = CheckSharing(path, DELETE, kShareAll)) return error;
    if (const int error = machine_.drives().Remove(path.drivePath)) {
      return WindowsErrorOfHost(-error);
    }
    Forget(path);
    return ERROR_SUCCESS;
  });
}

DWORD FileLayer::RemoveFolder(const ResolvedPath& path) const {
  if (!path.exists) return Missing(path);
  if (!path.folder) return ERROR_DIRECTORY;
  if (path.parentPath.empty() || ReadOnlyVolume(path.drive)) return ERROR_ACCESS_DENIED;
  return machine_.State().Write([&](const Transaction&) -> DWORD {
    if (!MayDelete(path)) return ERROR_ACCESS_DENIED;
    // A read-only folder still takes new entries, but cannot go itself.
    if ((machine_.Attributes(path) & FILE_ATTRIBUTE_READONLY) != 0) return ERROR_ACCESS_DENIED;
    std::vector<HostEntry> entries;
    if (const int error = machine_.drives().List(path.drivePath, entries)) {
      return WindowsErrorOfHost(-error);
    }
    if (!entries.empty()) return ERROR_DIR_NOT_EMPTY;
    if (const int error = machine_.drives().Remove(path.drivePath)) {
      return WindowsErrorOfHost(-error);
    }
    Forget(path);
    return ERROR_SUCCESS;
  });
}

DWORD FileLayer::Move(const ResolvedPath& from, const ResolvedPath& to, bool replace) const {
  if (!from.exists) return Missing(from);
  if (!to.parentExists) return ERROR_PATH_NOT_FOUND;
  if (from.drive != to.drive) return ERROR_NOT_SAME_DEVICE;
  if (ReadOnlyVolume(from.drive)) return ERROR_ACCESS_DENIED;
  const bool same = FoldCase(from.windowsPath) == FoldCase(to.windowsPath);
  if (to.exists && !same && (!replace || to.folder || from.folder)) {
    return to.folder ? ERROR_ACCESS_DENIED : ERROR_ALREADY_EXISTS;
  }
  return machine_.State().Write([&](const Transaction&) -> DWORD {
    if (!MayDelete(from)) return ERROR_ACCESS_DENIED;
    if (!GrantedOnParent(to, from.folder ? FILE_ADD_SUBDIRECTORY : FILE_ADD_FILE)) {
      return ERROR_ACCESS_DENIED;
    }
    if (const DWORD error = CheckSharing(from, DELETE, kShareAll)) return error;
    const bool replaces = to.exists && !same;
    if (replaces) {
      if (!MayDelete(to) || (machine_.Attributes(to) & FILE_ATTRIBUTE_READONLY) != 0) {
        return ERROR_ACCESS_DENIED;
      }
      if (const DWORD error = CheckSharing(to, DELETE, kShareAll)) return error;
    }
    if (const int error = machine_.drives().Rename(from.drivePath, to.drivePath)) {
      return WindowsErrorOfHost(-error);
    }
    if (replaces) Forget(to);
    // The marks and the descriptor travel with what moved.
    const KeyRange keys(from.windowsPath);
    const std::string key = FoldCase(to.windowsPath);
    machine_.State().Write([&](const Transaction& t) {
      t.Prepare(
           "UPDATE file_attributes SET path_key = ?4 || substr(path_key, length(?1) + 1) "
           "WHERE path_key = ?1 OR (path_key >= ?2 AND path_key < ?3)")
          .Bind(1, keys.key)
          .Bind(2, keys.from)
          .Bind(3, keys.to)
          .Bind(4, key)
          .Run();
    });
    SecuredObject moved = security_.FileObject(to);
    moved.exists = true;
    moved.container = from.folder;
    security_.Moved(security_.FileObject(from), moved);
    return ERROR_SUCCESS;
  });
}

DWORD FileLayer::SetAttributes(const ResolvedPath& path, DWORD attributes) const {
  if (!path.exists) return Missing(path);
  if (ReadOnlyVolume(path.drive)) return ERROR_ACCESS_DENIED;
  return machine_.State().Write([&](const Transaction&) -> DWORD {
    if (!Granted(path, FILE_WRITE_ATTRIBUTES)) return ERROR_ACCESS_DENIED;
    machine_.SetAttributes(path, attributes & kDosAttributes);
    return ERROR_SUCCESS;
  });
}

DWORD FileLayer::Copy(const ResolvedPath& from, const ResolvedPath& to) const {
  if (!from.exists) return Missing(from);
  if (from.folder) return ERROR_ACCESS_DENIED;
  OpenedFile source;
  if (const DWORD error = Open(from, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING, 0, source)) {
    return error;
  }
  const DWORD kept = (machine_.Attributes(from) &
                      (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) |
                     FILE_ATTRIBUTE_ARCHIVE;
  OpenedFile target;
  if (const DWORD error = Open(to, GENERIC_WRITE, 0, CREATE_ALWAYS, kept, target)) return error;
  char buffer[65536];
  for (;;) {
    std::size_t count = 0;
    DWORD error = ERROR_SUCCESS;
    if (const int failed =
            machine_.drives().ReadSome(source.fd.get(), buffer, sizeof buffer, count)) {
      error = WindowsErrorOfHost(-failed);
    } else if (count == 0) {
      return ERROR_SUCCESS;
    } else {
      error = Write(target, buffer, count);
    }
    if (error != ERROR_SUCCESS) {
      Discard(to, target);
      return error;
    }
  }
}

DWORD FileLayer::WriteWhole(const ResolvedPath& path, std::string_view bytes,
                            DWORD attributes) const {
  OpenedFile file;
  if (const DWORD error = Open(path, GENERIC_WRITE, 0, CREATE_ALWAYS, attributes, file)) {
    return error;
  }
  const DWORD error = Write(file, bytes.data(), bytes.size());
  if (error != ERROR_SUCCESS) Discard(path, file);
  return error;
}

DWORD FileLayer::ReadWhole(const ResolvedPath& path, DWORD access,
                           std::vector<std::uint8_t>& bytes) const {
  if (!path.exists) return Missing(path);
  if (path.folder) return ERROR_ACCESS_DENIED;
  const DWORD rights = MapGeneric(access, kFileMapping);
  if (!Granted(path, rights)) return ERROR_ACCESS_DENIED;
  if (const DWORD refused = CheckSharing(path, rights, FILE_SHARE_READ)) return refused;
  const int error = machine_.drives().Read(path.drivePath, bytes);
  return error == 0 ? ERROR_SUCCESS : WindowsErrorOfHost(-error);
}

DWORD FileLayer::List(const ResolvedPath& folder, std::vector<HostEntry>& entries) const {
  if (const int error = machine_.drives().List(folder.drivePath, entries)) {
    return WindowsErrorOfHost(-error);
  }
  // Links are left out: the machine follows none, wherever they point.
  std::erase_if(entries, [](const HostEntry& entry) { return entry.status.link; });
  return ERROR_SUCCESS;
}

}  // namespace lyn::sim
