#include "platform/sim/machine/folder_watch.h"

#include <sys/inotify.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "platform/sim/machine/process_identity.h"

namespace lyn::sim {
namespace {

// Every change to the folder's entries, their contents, attributes and
// times, and to the folder itself.
constexpr std::uint32_t kChanges = IN_ATTRIB | IN_CREATE | IN_DELETE | IN_DELETE_SELF | IN_MODIFY |
                                   IN_MOVE_SELF | IN_MOVED_FROM | IN_MOVED_TO | IN_ONLYDIR;

}  // namespace

FolderWatch::~FolderWatch() {
  if (fd_ >= 0) ::close(fd_);
}

std::optional<FolderWatch::Mark> FolderWatch::Now(int folder) {
  std::lock_guard lock(lock_);
  const int process = ThisProcessIdentity().id;
  if (process_ != process) {
    // A forked child shares its parent's reports: it watches on its own.
    if (fd_ >= 0) ::close(fd_);
    fd_ = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    process_ = process;
    changes_.clear();
    ++everything_;
  }
  if (fd_ < 0) return std::nullopt;
  const std::string path = "/proc/self/fd/" + std::to_string(folder);
  const int watch = ::inotify_add_watch(fd_, path.c_str(), kChanges);
  if (watch < 0 || !Catch()) return std::nullopt;
  return Mark{watch, changes_[watch], everything_};
}

bool FolderWatch::Unchanged(const Mark& mark) {
  std::lock_guard lock(lock_);
  if (fd_ < 0 || process_ != ThisProcessIdentity().id || !Catch()) return false;
  const auto found = changes_.find(mark.watch);
  return mark.everything == everything_ && found != changes_.end() && found->second == mark.changes;
}

bool FolderWatch::Catch() {
  alignas(inotify_event) char buffer[4096];
  for (;;) {
    const ssize_t got = ::read(fd_, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return got < 0 && errno == EAGAIN;
    for (ssize_t at = 0; at + static_cast<ssize_t>(sizeof(inotify_event)) <= got;) {
      inotify_event event;
      std::memcpy(&event, buffer + at, sizeof event);
      // A lost report may have been about any folder; a watch ended (its
      // folder gone) is a change too.
      if ((event.mask & IN_Q_OVERFLOW) != 0) {
        ++everything_;
      } else {
        ++changes_[event.wd];
      }
      at += static_cast<ssize_t>(sizeof(inotify_event) + event.len);
    }
  }
}

}  // namespace lyn::sim
