#include "platform/sim/machine/drive_folders.h"

#include <dirent.h>
#include <fcntl.h>
#include <linux/openat2.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/sim/machine/case_fold.h"
#include "platform/sim/machine/host_faults.h"
#include "platform/sim/machine/machine_error.h"

namespace lyn::sim {
namespace {

constexpr mode_t kFileMode = 0644;
constexpr mode_t kFolderMode = 0755;
// How many folder descriptors walks keep before starting afresh.
constexpr std::size_t kWalkedFolders = 128;
// How many folders' listings are kept before starting afresh.
constexpr std::size_t kKeptListings = 64;
// A folder is watched, and its listing kept, from its second listing in a
// process on, when it held this many entries or more at the one before:
// the watch saves asking the host about every entry again, but closing it
// holds up the process's end for several milliseconds (the host waits for
// its watches to be let go), which listing a small folder again never costs.
constexpr std::size_t kWatchedEntries = 256;
// Folders of this many entries and more have their indexes kept in files:
// reading such a folder costs more than opening the file.
constexpr std::size_t kIndexFileEntries = 256;

// Cleared the first time the kernel says it has no openat2.
std::atomic<bool> haveOpenat2{true};

HostStatus ToStatus(const struct stat& s) {
  return HostStatus{
      S_ISDIR(s.st_mode), S_ISLNK(s.st_mode), static_cast<unsigned long long>(s.st_size),
      s.st_mtim,          s.st_dev,           s.st_ino};
}

bool SameTime(const std::timespec& a, const std::timespec& b) {
  return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

EntryKind KindOf(const struct stat& s) {
  return EntryKind{S_ISDIR(s.st_mode), S_ISLNK(s.st_mode)};
}

// A name the host would read as something else than an entry of the folder.
bool Unfit(std::string_view name) {
  return name.empty() || name == "." || name == ".." || name.find('/') != std::string_view::npos;
}

// The index file of the folder with this identity.
std::string IndexFileName(const struct stat& folder) {
  char name[64];
  std::snprintf(name, sizeof name, "%llx-%llx", static_cast<unsigned long long>(folder.st_dev),
                static_cast<unsigned long long>(folder.st_ino));
  return name;
}

// The names of a relative path; false when one is empty, "." or "..", which
// the machine never hands the host.
bool SplitNames(std::string_view path, std::vector<std::string>& names) {
  std::size_t start = 0;
  while (start <= path.size() && !path.empty()) {
    const std::size_t end = std::min(path.find('/', start), path.size());
    const std::string_view name = path.substr(start, end - start);
    if (name.empty() || name == "." || name == "..") return false;
    names.emplace_back(name);
    start = end + 1;
  }
  return true;
}

std::string_view ParentOf(std::string_view path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string_view::npos ? std::string_view() : path.substr(0, slash);
}

// Opens the folder at the relative `path` (whose names are `names`) below
// the folder `from`, as an O_PATH descriptor, without following a link or
// leaving `from`.
int OpenBelow(int from, std::string_view path, const std::vector<std::string>& names,
              UniqueFd& folder) {
  if (haveOpenat2.load(std::memory_order_relaxed)) {
    open_how how{};
    how.flags = O_PATH | O_DIRECTORY | O_CLOEXEC;
    how.resolve = RESOLVE_BENEATH | RESOLVE_NO_SYMLINKS | RESOLVE_NO_MAGICLINKS;
    const std::string text(path);
    const long fd = ::syscall(SYS_openat2, from, text.c_str(), &how, sizeof how);
    if (fd >= 0) {
      folder = UniqueFd(static_cast<int>(fd));
      return 0;
    }
    if (errno != ENOSYS) return -errno;
    haveOpenat2.store(false, std::memory_order_relaxed);
  }
  // Without openat2: one name at a time, each refused if it is a link.
  UniqueFd current(::fcntl(from, F_DUPFD_CLOEXEC, 0));
  for (const std::string& name : names) {
    if (!current.valid()) return -errno;
    current = UniqueFd(
        ::openat(current.get(), name.c_str(), O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
  }
  if (!current.valid()) return -errno;
  folder = std::move(current);
  return 0;
}

}  // namespace

UniqueFd& UniqueFd::operator=(UniqueFd&& other) noexcept {
  if (this != &other) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = other.release();
  }
  return *this;
}

UniqueFd::~UniqueFd() {
  if (fd_ >= 0) ::close(fd_);
}

int UniqueFd::release() {
  const int fd = fd_;
  fd_ = -1;
  return fd;
}

DriveFolders::DriveFolders(const std::filesystem::path& drivesFolder,
                           std::filesystem::path indexFolder)
    : drives_(::open(drivesFolder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC)),
      indexFolder_(std::move(indexFolder)) {
  if (!drives_.valid()) {
    throw MachineError("cannot open the machine's drives folder '" + drivesFolder.string() +
                       "': " + std::strerror(errno));
  }
}

int DriveFolders::OpenFolder(std::string_view path, UniqueFd& folder) const {
  std::vector<std::string> names;
  if (!SplitNames(path, names)) return -EINVAL;
  if (names.empty()) {
    folder = UniqueFd(::fcntl(drives_.get(), F_DUPFD_CLOEXEC, 0));
    return folder.valid() ? 0 : -errno;
  }
  return OpenBelow(drives_.get(), path, names, folder);
}

int DriveFolders::OpenParent(std::string_view path, UniqueFd& parent, std::string& name) const {
  const std::size_t slash = path.rfind('/');
  name = std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
  if (name.empty() || name == "." || name == "..") return -EINVAL;
  return OpenFolder(ParentOf(path), parent);
}

std::optional<HostStatus> DriveFolders::Status(std::string_view path) const {
  UniqueFd parent;
  std::string name;
  if (path.empty()) return HostStatus{true, false, 0, {}};
  if (OpenParent(path, parent, name) != 0) return std::nullopt;
  struct stat s {};
  if (::fstatat(parent.get(), name.c_str(), &s, AT_SYMLINK_NOFOLLOW) != 0) return std::nullopt;
  return ToStatus(s);
}

int DriveFolders::List(std::string_view folder, std::vector<HostEntry>& entries) const {
  UniqueFd location;
  if (const int error = OpenFolder(folder, location)) return error;
  struct stat self {};
  if (::fstat(location.get(), &self) != 0) return -errno;
  std::shared_ptr<const Listing> kept;
  {
    std::lock_guard lock(listingLock_);
    if (const auto found = listings_.find(folder); found != listings_.end()) kept = found->second;
  }
  if (kept && kept->mark && kept->device == self.st_dev && kept->inode == self.st_ino &&
      SameTime(kept->changed, self.st_ctim) && watch_.Unchanged(*kept->mark)) {
    entries.reserve(entries.size() + kept->entries.size());
    for (const HostEntry& entry : kept->entries) {
      entries.push_back(entry);
      // What a folder holds is not reported to the folder above it: its
      // own times are asked again.
      struct stat s {};
      if (entry.status.folder &&
          ::fstatat(location.get(), entry.name.c_str(), &s, AT_SYMLINK_NOFOLLOW) == 0) {
        entries.back().status = ToStatus(s);
      }
    }
    return 0;
  }
  // Watched before the entries are asked about, so that a change made
  // while they are is reported.
  const bool watched = kept && kept->count >= kWatchedEntries;
  const auto mark = watched ? watch_.Now(location.get()) : std::nullopt;
  const auto index = IndexOf(folder, location.get(), self);
  if (!index) return -EIO;
  auto listing = std::make_shared<Listing>();
  listing->entries.reserve(index->size());
  for (std::size_t i = 0; i < index->size(); ++i) {
    const std::string name((*index)[i].name);
    struct stat s {};
    // An entry removed since the folder was read is left out.
    if (::fstatat(location.get(), name.c_str(), &s, AT_SYMLINK_NOFOLLOW) == 0) {
      listing->entries.push_back(HostEntry{name, ToStatus(s)});
    }
  }
  entries.insert(entries.end(), listing->entries.begin(), listing->entries.end());
  // Unwatched, the listing only tells how many entries the folder held.
  listing->count = listing->entries.size();
  if (!mark) listing->entries.clear();
  listing->device = self.st_dev;
  listing->inode = self.st_ino;
  listing->changed = self.st_ctim;
  listing->mark = mark;
  std::lock_guard lock(listingLock_);
  if (listings_.size() >= kKeptListings) listings_.clear();
  listings_.insert_or_assign(std::string(folder), std::move(listing));
  return 0;
}

std::optional<HostEntry> DriveFolders::Find(std::string_view folder, std::string_view name) const {
  UniqueFd location;
  struct stat self {};
  if (Unfit(name) || OpenFolder(folder, location) != 0 || ::fstat(location.get(), &self) != 0) {
    return std::nullopt;
  }
  auto found = Lookup(folder, location.get(), self, name, true);
  if (!found) return std::nullopt;
  return HostEntry{std::move(found->name), ToStatus(*found->status)};
}

std::optional<DriveFolders::Found> DriveFolders::Lookup(std::string_view folder, int folderFd,
                                                        const struct stat& self,
                                                        std::string_view name, bool status) const {
  auto index = KeptIndex(folder, self);
  if (!index) {
    // Without an index to trust, the name as spelt needs no reading of the
    // folder.
    struct stat s {};
    const std::string exact(name);
    if (::fstatat(folderFd, exact.c_str(), &s, AT_SYMLINK_NOFOLLOW) == 0) {
      return Found{exact, KindOf(s), s};
    }
    index = ReadIndex(folder, folderFd, self);
    if (!index) return std::nullopt;
  }
  const auto entry = index->Find(name);
  if (!entry) return std::nullopt;
  Found found{std::string(entry->name), EntryKind{entry->folder, entry->link}, std::nullopt};
  if (status || !entry->kindKnown) {
    struct stat s {};
    if (::fstatat(folderFd, found.name.c_str(), &s, AT_SYMLINK_NOFOLLOW) != 0) return std::nullopt;
    found.kind = KindOf(s);
    found.status = s;
  }
  return found;
}

DriveFolders::Walk DriveFolders::Follow(char drive, const std::vector<std::string>& names) const {
  Walk walk;
  std::string path(1, drive);
  struct stat self {};
  if (::fstatat(drives_.get(), path.c_str(), &self, AT_SYMLINK_NOFOLLOW) != 0) return walk;
  walk.kind = KindOf(self);
  // Each folder on the way is reached from the one above it, so a path of
  // any length costs one step per name; the last name's kind comes from its
  // folder's index when that tells it.
  std::shared_ptr<const UniqueFd> folder;
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (!walk.kind || walk.kind->link || !walk.kind->folder) break;
    if (Unfit(names[i])) {
      walk.kind.reset();
      break;
    }
    const std::string& here = walk.names.empty() ? path : walk.names.back();
    const int above = walk.names.empty() ? drives_.get() : folder->get();
    folder = OpenWalked(above, here, ToStatus(self));
    std::optional<Found> found;
    if (folder) found = Lookup(path, folder->get(), self, names[i], i + 1 < names.size());
    if (!found) {
      walk.kind.reset();
      break;
    }
    if (found->status) self = *found->status;
    path += '/' + found->name;
    walk.names.push_back(std::move(found->name));
    walk.kind = found->kind;
  }
  return walk;
}

std::shared_ptr<const UniqueFd> DriveFolders::OpenWalked(int above, const std::string& name,
                                                         const HostStatus& status) const {
  {
    std::lock_guard lock(walkedLock_);
    if (const auto found = walked_.find({status.device, status.inode}); found != walked_.end()) {
      return found->second;
    }
  }
  UniqueFd opened;
  struct stat s {};
  if (OpenBelow(above, name, {name}, opened) != 0 || ::fstat(opened.get(), &s) != 0) return {};
  auto folder = std::make_shared<const UniqueFd>(std::move(opened));
  // The name may have been given to another folder since `status` was taken:
  // the descriptor is kept under the identity of the folder it really holds.
  std::lock_guard lock(walkedLock_);
  if (walked_.size() >= kWalkedFolders) walked_.clear();
  walked_.insert_or_assign({s.st_dev, s.st_ino}, folder);
  return folder;
}

std::shared_ptr<const NameIndex> DriveFolders::KeptIndex(std::string_view folder,
                                                         const struct stat& self) const {
  {
    std::lock_guard lock(indexLock_);
    const auto kept = indexes_.find(folder);
    if (kept != indexes_.end() && kept->second->Describes(self)) return kept->second;
  }
  auto index = ReadIndexFile(self);
  if (!index || !index->Describes(self)) return nullptr;
  std::lock_guard lock(indexLock_);
  indexes_.insert_or_assign(std::string(folder), index);
  return index;
}

std::shared_ptr<const NameIndex> DriveFolders::IndexOf(std::string_view folder, int folderFd,
                                                       const struct stat& self) const {
  if (auto kept = KeptIndex(folder, self)) return kept;
  return ReadIndex(folder, folderFd, self);
}

std::shared_ptr<const NameIndex> DriveFolders::ReadIndex(std::string_view folder, int folderFd,
                                                         const struct stat& self) const {
  auto index = NameIndex::Read(folderFd, self);
  // An index read while the folder could still change unseen serves this
  // lookup only.
  if (!index || !index->Settled()) return index;
  {
    std::lock_guard lock(indexLock_);
    indexes_.insert_or_assign(std::string(folder), index);
  }
  if (index->size() >= kIndexFileEntries) WriteIndexFile(*index, self);
  return index;
}

std::shared_ptr<const NameIndex> DriveFolders::ReadIndexFile(const struct stat& self) const {
  const UniqueFd file(
      ::open((indexFolder_ / IndexFileName(self)).c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC));
  if (!file.valid()) return nullptr;
  return NameIndex::Load(file.get());
}

void DriveFolders::WriteIndexFile(const NameIndex& index, const struct stat& self) const {
  // The index is a copy: when it cannot be written, the folder is read
  // again next time. It is written whole under another name and then
  // renamed, so that a reader finds the old file or the new one.
  ::mkdir(indexFolder_.c_str(), kFolderMode);
  const std::filesystem::path file = indexFolder_ / IndexFileName(self);
  const std::filesystem::path part = file.string() + "." + std::to_string(::getpid()) + ".part";
  UniqueFd out(
      ::open(part.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, kFileMode));
  if (!out.valid()) return;
  const bool saved = index.Save(out.get());
  out = UniqueFd();
  if (!saved || ::rename(part.c_str(), file.c_str()) != 0) ::unlink(part.c_str());
}

void DriveFolders::Changed(std::string_view path) const {
  std::lock_guard lock(indexLock_);
  if (const auto found = indexes_.find(ParentOf(path)); found != indexes_.end()) {
    indexes_.erase(found);
  }
}

int DriveFolders::Open(std::string_view path, int flags, UniqueFd& file) const {
  UniqueFd parent;
  std::string name;
  if (const int error = OpenParent(path, parent, name)) return error;
  if ((flags & (O_CREAT | O_TRUNC)) != 0) {
    if (const int fault = HostFault(HostCall::Create, path)) return fault;
  }
  file = UniqueFd(::openat(parent.get(), name.c_str(), flags | O_NOFOLLOW | O_CLOEXEC, kFileMode));
  if (!file.valid()) return -errno;
  if ((flags & O_CREAT) != 0) Changed(path);
  return 0;
}

int DriveFolders::Read(std::string_view path, std::vector<std::uint8_t>& bytes) const {
  UniqueFd file;
  if (const int error = Open(path, O_RDONLY, file)) return error;
  std::uint8_t buffer[65536];
  for (;;) {
    const ssize_t got = ::read(file.get(), buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return -errno;
    if (got == 0) return 0;
    bytes.insert(bytes.end(), buffer, buffer + got);
  }
}

int DriveFolders::Write(int fd, const void* data, std::size_t size) const {
  if (const int fault = HostFault(HostCall::Write, fd)) return fault;
  const auto* bytes = static_cast<const char*>(data);
  while (size > 0) {
    const ssize_t written = ::write(fd, bytes, size);
    if (written < 0) {
      if (errno == EINTR) continue;
      return -errno;
    }
    bytes += written;
    size -= static_cast<std::size_t>(written);
  }
  return 0;
}

int DriveFolders::ReadSome(int fd, void* buffer, std::size_t size, std::size_t& count) const {
  count = 0;
  ssize_t got = 0;
  do {
    got = ::read(fd, buffer, size);
  } while (got < 0 && errno == EINTR);
  if (got < 0) return -errno;
  count = static_cast<std::size_t>(got);
  return 0;
}

int DriveFolders::MakeFolder(std::string_view path) const {
  UniqueFd parent;
  std::string name;
  if (const int error = OpenParent(path, parent, name)) return error;
  if (const int fault = HostFault(HostCall::MakeFolder, path)) return fault;
  if (::mkdirat(parent.get(), name.c_str(), kFolderMode) != 0) return -errno;
  Changed(path);
  return 0;
}

int DriveFolders::MakeFolders(std::string_view path) const {
  for (std::size_t end = path.find('/');; end = path.find('/', end + 1)) {
    const std::string_view folder = path.substr(0, end);
    const int error = MakeFolder(folder);
    if (error != 0 && error != -EEXIST) return error;
    if (error == -EEXIST) {
      const auto status = Status(folder);
      if (!status || !status->folder) return -ENOTDIR;
    }
    if (end == std::string_view::npos) return 0;
  }
}

int DriveFolders::Remove(std::string_view path) const {
  UniqueFd parent;
  std::string name;
  if (const int error = OpenParent(path, parent, name)) return error;
  struct stat s {};
  if (::fstatat(parent.get(), name.c_str(), &s, AT_SYMLINK_NOFOLLOW) != 0) return -errno;
  const int flags = S_ISDIR(s.st_mode) ? AT_REMOVEDIR : 0;
  if (const int fault = HostFault(HostCall::Remove, path)) return fault;
  if (::unlinkat(parent.get(), name.c_str(), flags) != 0) return -errno;
  Changed(path);
  return 0;
}

int DriveFolders::Rename(std::string_view from, std::string_view to) const {
  UniqueFd fromParent;
  UniqueFd toParent;
  std::string fromName;
  std::string toName;
  if (const int error = OpenParent(from, fromParent, fromName)) return error;
  if (const int error = OpenParent(to, toParent, toName)) return error;
  if (const int fault = HostFault(HostCall::Rename, from)) return fault;
  if (::renameat(fromParent.get(), fromName.c_str(), toParent.get(), toName.c_str()) != 0) {
    return -errno;
  }
  Changed(from);
  Changed(to);
  return 0;
}

}  // namespace lyn::sim
