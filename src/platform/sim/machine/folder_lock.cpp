#include "platform/sim/machine/folder_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/sim/machine/machine_error.h"

namespace lyn::sim {

FolderLock::FolderLock(const std::filesystem::path& folder) {
  fd_ = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  int result = fd_ < 0 ? -1 : 0;
  if (result == 0) {
    while ((result = ::flock(fd_, LOCK_EX)) != 0 && errno == EINTR) {
    }
  }
  if (result != 0) {
    const int error = errno;
    if (fd_ >= 0) ::close(fd_);
    throw MachineError("cannot lock the machine '" + folder.string() +
                       "': " + std::strerror(error));
  }
}

FolderLock::~FolderLock() {
  ::close(fd_);
}

}  // namespace lyn::sim
