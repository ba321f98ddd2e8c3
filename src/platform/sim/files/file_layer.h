// The one way the emulated libraries read and change the machine's files and
// folders. Each operation resolves its paths, checks them as Windows does
// (the volume's kind, the attributes, the open handles and their share
// modes, the access list against the process's token), performs the change
// through DriveFolders, and then resets what the machine keeps per path
// (attribute marks, security descriptors), so that nothing of a deleted file
// passes to what is made at its path next. Every operation answers with a
// Windows error code (ERROR_SUCCESS when it went well); each library only
// converts that to its own convention. Damage in the state store is thrown
// as StateError, for the library's Guarded to report.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/api/kernel32.h"
#include "platform/api/win_types.h"
#include "platform/sim/machine/drive_folders.h"
#include "platform/sim/machine/machine.h"
#include "platform/sim/security/security_model.h"

namespace lyn::sim {

// The specific rights of files and folders the checks ask for.
constexpr win::DWORD FILE_READ_DATA = 0x0001;  // FILE_LIST_DIRECTORY on a folder
constexpr win::DWORD FILE_WRITE_DATA = 0x0002;
constexpr win::DWORD FILE_ADD_FILE = 0x0002;
constexpr win::DWORD FILE_APPEND_DATA = 0x0004;
constexpr win::DWORD FILE_ADD_SUBDIRECTORY = 0x0004;
constexpr win::DWORD FILE_EXECUTE = 0x0020;
constexpr win::DWORD FILE_DELETE_CHILD = 0x0040;
constexpr win::DWORD FILE_READ_ATTRIBUTES = 0x0080;
constexpr win::DWORD FILE_WRITE_ATTRIBUTES = 0x0100;
constexpr win::DWORD DELETE = 0x00010000;
constexpr win::DWORD SYNCHRONIZE = 0x00100000;

constexpr win::DWORD FILE_SHARE_READ = 0x1;
constexpr win::DWORD FILE_SHARE_WRITE = 0x2;
constexpr win::DWORD FILE_SHARE_DELETE = 0x4;

constexpr win::DWORD CREATE_NEW = 1;
constexpr win::DWORD OPEN_ALWAYS = 4;
constexpr win::DWORD TRUNCATE_EXISTING = 5;

// A handle of this process on a file of the machine, as the state store
// records it for the share checks of every process; the record goes with
// this object (and with the process, when it ends without closing).
class OpenRecord {
 public:
  OpenRecord() = default;
  OpenRecord(StateStore& store, std::int64_t handle) : store_(&store), handle_(handle) {}
  OpenRecord(OpenRecord&& other) noexcept;
  OpenRecord& operator=(OpenRecord&& other) noexcept;
  OpenRecord(const OpenRecord&) = delete;
  OpenRecord& operator=(const OpenRecord&) = delete;
  ~OpenRecord();

 private:
  void Release() noexcept;

  StateStore* store_ = nullptr;
  std::int64_t handle_ = 0;
};

struct OpenedFile {
  UniqueFd fd;
  OpenRecord record;
  bool existed = false;  // the file was there before the open
};

class FileLayer {
 public:
  explicit FileLayer(const Machine& machine) : machine_(machine), security_(machine) {}

  // Resolves a path as the libraries hold it (UTF-8): ERROR_PATH_NOT_FOUND
  // for one the machine cannot reach (a link on the way, an unknown drive)
  // or that is no Windows path.
  win::DWORD Resolve(std::string_view path, ResolvedPath& resolved) const;

  // Opens a file as CreateFile does: `access` may hold generic rights,
  // `disposition` is CREATE_NEW to TRUNCATE_EXISTING, `attributes` are those
  // a file made or replaced gets. The handle counts for the share checks
  // until `opened.record` goes.
  win::DWORD Open(const ResolvedPath& path, win::DWORD access, win::DWORD share,
                  win::DWORD disposition, win::DWORD attributes, OpenedFile& opened) const;
  // Writes all of `size` bytes to a file Open gave.
  win::DWORD Write(const OpenedFile& file, const void* data, std::size_t size) const;

  win::DWORD MakeFolder(const ResolvedPath& path) const;
  win::DWORD DeleteFile(const ResolvedPath& path) const;
  win::DWORD RemoveFolder(const ResolvedPath& path) const;
  // Renames a file or folder on its own drive; `replace` lets it take the
  // place of an existing file.
  win::DWORD Move(const ResolvedPath& from, const ResolvedPath& to, bool replace) const;
  // Sets the DOS attributes of an existing file or folder.
  win::DWORD SetAttributes(const ResolvedPath& path, win::DWORD attributes) const;

  // Copies a file's bytes to `to`, made or replaced; the copy takes the
  // source's read-only, hidden and system attributes and the archive one.
  // A copy that fails part-way leaves no target behind, as Windows' copy
  // deletes a partly written target unless asked to keep it for a restart.
  win::DWORD Copy(const ResolvedPath& from, const ResolvedPath& to) const;
  // Makes or replaces a file holding `bytes`, as a writer opening it with
  // CREATE_ALWAYS and no sharing does; a failed write leaves no file.
  win::DWORD WriteWhole(const ResolvedPath& path, std::string_view bytes,
                        win::DWORD attributes) const;
  // The whole of a file, read with `access` (FILE_EXECUTE | FILE_READ_DATA
  // for loading a library).
  win::DWORD ReadWhole(const ResolvedPath& path, win::DWORD access,
                       std::vector<std::uint8_t>& bytes) const;

  // After a write into a file Open made or replaced failed: the file goes,
  // as Windows' copy deletes a partly written target.
  void Discard(const ResolvedPath& path, OpenedFile& file) const;

  // The entries of an existing folder, links left out, in the order Windows'
  // file systems list them (by case-folded name).
  win::DWORD List(const ResolvedPath& folder, std::vector<HostEntry>& entries) const;

  const Machine& machine() const { return machine_; }

 private:
  // The checks of an open; ERROR_SUCCESS when it may go ahead.
  win::DWORD CheckOpen(const ResolvedPath& path, win::DWORD rights, win::DWORD share,
                       win::DWORD disposition, win::DWORD attributes) const;
  // Whether the token may delete the object: DELETE on it, or
  // FILE_DELETE_CHILD on its parent.
  bool MayDelete(const ResolvedPath& path) const;
  bool Granted(const ResolvedPath& path, win::DWORD rights) const;
  bool GrantedOnParent(const ResolvedPath& path, win::DWORD rights) const;
  // ERROR_SHARING_VIOLATION when a live handle on the file refuses an open
  // with these rights and this share mode, or holds rights it refuses.
  win::DWORD CheckSharing(const ResolvedPath& path, win::DWORD rights, win::DWORD share) const;
  bool ReadOnlyVolume(char drive) const;
  // After the path's entry went: its marks and descriptors, and those below.
  void Forget(const ResolvedPath& path) const;
  // After a file or folder was made (or a file replaced) at the path.
  void Made(const ResolvedPath& path, bool folder, win::DWORD attributes, bool existed) const;
  const Machine& machine_;
  SecurityModel security_;
};

}  // namespace lyn::sim
