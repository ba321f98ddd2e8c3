#include "platform/sim/cabinet/cabinet_io.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace lyn::sim {
namespace {

struct HostFile {
  int fd;
  CabinetIo* io;
};

CabinetIo* IoOf(mspack_system* self) {
  return reinterpret_cast<CabinetIo*>(self);
}

mspack_file* Open(mspack_system* self, const char* filename, int mode) {
  int flags = O_CLOEXEC | O_NOFOLLOW;
  switch (mode) {
    case MSPACK_SYS_OPEN_READ:
      flags |= O_RDONLY;
      break;
    case MSPACK_SYS_OPEN_WRITE:
      flags |= O_WRONLY | O_CREAT | O_TRUNC;
      break;
    default:
      return nullptr;  // the cabinet decoder only reads cabinets and writes new files
  }
  const int fd = ::open(filename, flags, 0644);
  if (fd < 0) {
    if (mode == MSPACK_SYS_OPEN_WRITE) IoOf(self)->openError = errno;
    return nullptr;
  }
  return reinterpret_cast<mspack_file*>(new HostFile{fd, IoOf(self)});
}

void Close(mspack_file* file) {
  auto* host = reinterpret_cast<HostFile*>(file);
  ::close(host->fd);
  delete host;
}

int Read(mspack_file* file, void* buffer, int bytes) {
  auto* host = reinterpret_cast<HostFile*>(file);
  auto* out = static_cast<char*>(buffer);
  int done = 0;
  while (done < bytes) {
    const ssize_t n = ::read(host->fd, out + done, static_cast<size_t>(bytes - done));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return -1;
    if (n == 0) break;
    done += static_cast<int>(n);
  }
  return done;
}

int Write(mspack_file* file, void* buffer, int bytes) {
  auto* host = reinterpret_cast<HostFile*>(file);
  const auto* in = static_cast<const char*>(buffer);
  int done = 0;
  while (done < bytes) {
    const ssize_t n = ::write(host->fd, in + done, static_cast<size_t>(bytes - done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      host->io->writeError = n < 0 ? errno : ENOSPC;
      return -1;
    }
    done += static_cast<int>(n);
  }
  return done;
}

int Seek(mspack_file* file, off_t offset, int mode) {
  auto* host = reinterpret_cast<HostFile*>(file);
  static constexpr int kWhence[] = {SEEK_SET, SEEK_CUR, SEEK_END};
  if (mode < 0 || mode > 2) return -1;
  return ::lseek(host->fd, offset, kWhence[mode]) < 0 ? -1 : 0;
}

off_t Tell(mspack_file* file) {
  return ::lseek(reinterpret_cast<HostFile*>(file)->fd, 0, SEEK_CUR);
}

// libmspack's diagnostics are not the platform's; the service reports
// through its result and last error only.
void Message(mspack_file*, const char*, ...) {}

void* Alloc(mspack_system*, size_t bytes) {
  return std::malloc(bytes);
}

void Free(void* pointer) {
  std::free(pointer);
}

void Copy(void* source, void* destination, size_t bytes) {
  std::memmove(destination, source, bytes);
}

}  // namespace

CabinetIo::CabinetIo()
    : system{Open, Close, Read, Write, Seek, Tell, Message, Alloc, Free, Copy, nullptr} {}

}  // namespace lyn::sim
