// The machine's drive folders as the host holds them, and the only way the
// machine touches them. Every path here is relative to the drives folder
// ("C/Windows/system32") and is walked one name at a time from a descriptor of
// that folder without following a symbolic link, whether its target exists or
// not: nothing outside the drives folder can be read, created, written or
// removed through it. Operations return 0 or a negated host error number
// (-errno), never throw; -ELOOP means a symbolic link was in the way. Each
// call that changes the host's files passes the host fault plan first
// (host_faults.h).
#pragma once

#include <sys/stat.h>
#include <sys/types.h>

#include <cstdint>
#include <ctime>
#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/sim/machine/folder_watch.h"
#include "platform/sim/machine/name_index.h"

namespace lyn::sim {

// A host file descriptor, closed when it goes.
class UniqueFd {
 public:
  UniqueFd() = default;
  explicit UniqueFd(int fd) : fd_(fd) {}
  UniqueFd(UniqueFd&& other) noexcept : fd_(other.release()) {}
  UniqueFd& operator=(UniqueFd&& other) noexcept;
  UniqueFd(const UniqueFd&) = delete;
  UniqueFd& operator=(const UniqueFd&) = delete;
  ~UniqueFd();

  int get() const { return fd_; }
  bool valid() const { return fd_ >= 0; }
  int release();

 private:
  int fd_ = -1;
};

// What the host says about one entry, the entry itself and not where a link
// points.
struct HostStatus {
  bool folder = false;
  bool link = false;
  unsigned long long size = 0;
  std::timespec modified{};
  // The host's identity of the entry.
  dev_t device = 0;
  ino_t inode = 0;
};

struct HostEntry {
  std::string name;
  HostStatus status;
};

// What an entry is, as a walk tells it.
struct EntryKind {
  bool folder = false;
  bool link = false;
};

class DriveFolders {
 public:
  // Opens the drives folder; throws MachineError when it cannot. The indexes
  // of large folders are kept in files in `indexFolder`, made when first
  // needed, for the machine's other processes.
  DriveFolders(const std::filesystem::path& drivesFolder, std::filesystem::path indexFolder);

  // The entry at `path`; nullopt when there is none (or a folder on the way
  // is missing, is no folder, or is a link).
  std::optional<HostStatus> Status(std::string_view path) const;
  // The entries of a folder, "." and ".." left out, in the order Windows'
  // file systems list them (by case-folded name). What a listing found is
  // kept while the host reports no change to the folder (folder_watch.h),
  // so that listing it again asks the host about its folders only.
  int List(std::string_view folder, std::vector<HostEntry>& entries) const;
  // The entry of `folder` Windows would take for `name`: the one spelt
  // exactly so if there is one, else the first in byte order among those that
  // differ only in case. Costs the same whatever the folder's size: a
  // folder's names are indexed once and the index is kept while the folder is
  // unchanged (name_index.h), for a large folder in a file that the
  // machine's other processes read instead of the folder.
  std::optional<HostEntry> Find(std::string_view folder, std::string_view name) const;

  // Where the names of a path below a drive's folder lead, each matched as
  // Find matches it, each folder on the way opened from the one above it.
  struct Walk {
    std::vector<std::string> names;  // the host names of those found, in order
    std::optional<EntryKind> kind;   // the last one found's (the drive's when none);
                                     // nullopt when a name is missing
  };
  // Stops at the first name missing, or after a link or a file.
  Walk Follow(char drive, const std::vector<std::string>& names) const;

  // Opens a file (never a link) with open(2) flags into `file`; O_CREAT
  // makes it with mode 0644.
  int Open(std::string_view path, int flags, UniqueFd& file) const;
  // The whole of a file.
  int Read(std::string_view path, std::vector<std::uint8_t>& bytes) const;
  // Writes all of `size` bytes; every write the machine makes comes here.
  int Write(int fd, const void* data, std::size_t size) const;
  // Reads up to `size` bytes from the file's position; `count` is 0 at its end.
  int ReadSome(int fd, void* buffer, std::size_t size, std::size_t& count) const;
  int MakeFolder(std::string_view path) const;
  // Makes the folder and those above it that are missing.
  int MakeFolders(std::string_view path) const;
  // Removes a file, a link, or an empty folder.
  int Remove(std::string_view path) const;
  // Renames a file or folder; a file at `to` is replaced.
  int Rename(std::string_view from, std::string_view to) const;

 private:
  // An entry a lookup found: its host name and what it is, and its status
  // when that was asked of the host.
  struct Found {
    std::string name;
    EntryKind kind;
    std::optional<struct stat> status;
  };

  // A descriptor of the folder `status` describes, reached as `name` in the
  // folder open as `above`; null when it cannot be opened. Descriptors are
  // kept by the folder's identity, so walking a path the machine walked
  // before opens nothing: a kept descriptor is only used for the folder the
  // name leads to now.
  std::shared_ptr<const UniqueFd> OpenWalked(int above, const std::string& name,
                                             const HostStatus& status) const;
  // A descriptor of the folder at `path` (O_PATH), or -errno.
  int OpenFolder(std::string_view path, UniqueFd& folder) const;
  // The folder holding `path`'s last name, and that name.
  int OpenParent(std::string_view path, UniqueFd& parent, std::string& name) const;
  // Find in the folder `folder`, open as `folderFd`, whose status `self` was
  // just taken; with `status`, the entry's status is always asked.
  std::optional<Found> Lookup(std::string_view folder, int folderFd, const struct stat& self,
                              std::string_view name, bool status) const;
  // The folder's index, right for its status `self`: kept, or read now.
  std::shared_ptr<const NameIndex> IndexOf(std::string_view folder, int folderFd,
                                           const struct stat& self) const;
  // A kept index right for `self`, in memory or in its file; null if none.
  std::shared_ptr<const NameIndex> KeptIndex(std::string_view folder,
                                             const struct stat& self) const;
  // Reads the folder's index, and keeps it when it is settled.
  std::shared_ptr<const NameIndex> ReadIndex(std::string_view folder, int folderFd,
                                             const struct stat& self) const;
  std::shared_ptr<const NameIndex> ReadIndexFile(const struct stat& self) const;
  void WriteIndexFile(const NameIndex& index, const struct stat& self) const;
  void Changed(std::string_view path) const;

  // A folder's entries as a listing found them.
  struct Listing {
    dev_t device = 0;
    ino_t inode = 0;
    std::timespec changed{};
    std::size_t count = 0;                  // entries found
    std::optional<FolderWatch::Mark> mark;  // none: the entries are not kept
    std::vector<HostEntry> entries;
  };

  UniqueFd drives_;
  std::filesystem::path indexFolder_;
  mutable FolderWatch watch_;
  mutable std::mutex listingLock_;
  mutable std::map<std::string, std::shared_ptr<const Listing>, std::less<>> listings_;
  mutable std::mutex indexLock_;
  mutable std::map<std::string, std::shared_ptr<const NameIndex>, std::less<>> indexes_;
  mutable std::mutex walkedLock_;
  mutable std::map<std::pair<dev_t, ino_t>, std::shared_ptr<const UniqueFd>> walked_;
};

}  // namespace lyn::sim
