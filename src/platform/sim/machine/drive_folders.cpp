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
// A folder changed this recently may change again within the same tick of
// the host's file clock without its time moving: its index is not kept.
constexpr long long kRacyNanoseconds = 100'000'000;
// How many folder descriptors walks keep before starting afresh.
constexpr std::size_t kWalkedFolders = 128;

// Cleared the first time the kernel says it has no openat2.
std::atomic<bool> haveOpenat2{true};

HostStatus ToStatus(const struct stat& s) {
  return HostStatus{
      S_ISDIR(s.st_mode), S_ISLNK(s.st_mode), static_cast<unsigned long long>(s.st_size),
      s.st_mtim,          s.st_dev,           s.st_ino};
}

long long Nanoseconds(const std::timespec& t) {
  return static_cast<long long>(t.tv_sec) * 1'000'000'000LL + t.tv_nsec;
}

bool SameTime(const std::timespec& a, const std::timespec& b) {
  return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
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

// Calls `each(fd, name)` for every name of the folder open as `folderFd`
// but "." and "..", `fd` being the folder opened for reading.
template <typename Each>
int ForEachName(int folderFd, Each&& each) {
  // An O_PATH descriptor cannot be read: the folder is opened again through it.
  const int fd = ::openat(folderFd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return -errno;
  DIR* dir = ::fdopendir(fd);
  if (dir == nullptr) {
    const int error = -errno;
    ::close(fd);
    return error;
  }
  int error = 0;
  for (;;) {
    errno = 0;
    const dirent* entry = ::readdir(dir);
    if (entry == nullptr) {
      error = -errno;
      break;
    }
    const std::string_view name = entry->d_name;
    if (name != "." && name != "..") each(fd, name);
  }
  ::closedir(dir);
  return error;
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

DriveFolders::DriveFolders(const std::filesystem::path& drivesFolder)
    : drives_(::open(drivesFolder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC)) {
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
  return ForEachName(location.get(), [&](int fd, std::string_view name) {
    const std::string text(name);
    struct stat s {};
    if (::fstatat(fd, text.c_str(), &s, AT_SYMLINK_NOFOLLOW) == 0) {
      entries.push_back(HostEntry{text, ToStatus(s)});
    }
  });
}

std::optional<HostEntry> DriveFolders::Find(std::string_view folder, std::string_view name) const {
  UniqueFd location;
  if (OpenFolder(folder, location) != 0) return std::nullopt;
  return FindIn(folder, location.get(), name);
}

std::optional<HostEntry> DriveFolders::FindIn(std::string_view folder, int folderFd,
                                              std::string_view name) const {
  const std::string exact(name);
  struct stat s {};
  if (::fstatat(folderFd, exact.c_str(), &s, AT_SYMLINK_NOFOLLOW) == 0) {
    return HostEntry{exact, ToStatus(s)};
  }
  const auto folded = FindFolded(folder, folderFd, name);
  if (!folded || ::fstatat(folderFd, folded->c_str(), &s, AT_SYMLINK_NOFOLLOW) != 0) {
    return std::nullopt;
  }
  return HostEntry{*folded, ToStatus(s)};
}

DriveFolders::Walk DriveFolders::Follow(char drive, const std::vector<std::string>& names) const {
  Walk walk;
  std::string path(1, drive);
  struct stat s {};
  if (::fstatat(drives_.get(), path.c_str(), &s, AT_SYMLINK_NOFOLLOW) == 0)
    walk.status = ToStatus(s);
  // Each folder on the way is reached from the one above it, so a path of
  // any length costs one step per name.
  std::shared_ptr<const UniqueFd> folder;
  for (const std::string& name : names) {
    if (!walk.status || walk.status->link || !walk.status->folder) break;
    // A name the host would read as something else is never asked for.
    if (name.empty() || name == "." || name == ".." || name.find('/') != std::string::npos) {
      walk.status.reset();
      break;
    }
    const std::string& here = walk.names.empty() ? path : walk.names.back();
    const int above = walk.names.empty() ? drives_.get() : folder->get();
    folder = OpenWalked(above, here, *walk.status);
    std::optional<HostEntry> entry;
    if (folder) entry = FindIn(path, folder->get(), name);
    if (!entry) {
      walk.status.reset();
      break;
    }
    path += '/' + entry->name;
    walk.names.push_back(std::move(entry->name));
    walk.status = entry->status;
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

std::optional<std::string> DriveFolders::FindFolded(std::string_view folder, int folderFd,
                                                    std::string_view name) const {
  struct stat self {};
  if (::fstat(folderFd, &self) != 0) return std::nullopt;
  const std::string key = FoldCase(name);
  std::lock_guard lock(indexLock_);
  auto found = indexes_.find(folder);
  const bool current = found != indexes_.end() && found->second.device == self.st_dev &&
                       found->second.inode == self.st_ino &&
                       SameTime(found->second.modified, self.st_mtim);
  if (!current) {
    // Only names go into the index: the entry a lookup picks is asked about
    // afterwards, so a folder of any size costs one reading of its names.
    Index index{self.st_dev, self.st_ino, self.st_mtim, {}};
    const int error = ForEachName(folderFd, [&](int, std::string_view entryName) {
      auto [slot, added] = index.byFoldedName.try_emplace(FoldCase(entryName), entryName);
      if (!added && entryName < slot->second) slot->second = std::string(entryName);
    });
    if (error != 0) return std::nullopt;
    std::timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    const auto answer = index.byFoldedName.find(key);
    std::optional<std::string> result;
    if (answer != index.byFoldedName.end()) result = answer->second;
    if (Nanoseconds(now) - Nanoseconds(self.st_mtim) < kRacyNanoseconds) {
      if (found != indexes_.end()) indexes_.erase(found);
      return result;
    }
    found = indexes_.insert_or_assign(std::string(folder), std::move(index)).first;
  }
  const auto answer = found->second.byFoldedName.find(key);
  if (answer == found->second.byFoldedName.end()) return std::nullopt;
  return answer->second;
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
