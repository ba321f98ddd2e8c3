#include "platform/sim/cabinet/cabinet_io.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace lyn::sim {
namespace {

struct HostFile {
  UniqueFd fd;
  CabinetIo* io;
};

CabinetIo* IoOf(mspack_system* self) {
  return reinterpret_cast<CabinetIo*>(self);
}

HostFile* HostOf(mspack_file* file) {
  return reinterpret_cast<HostFile*>(file);
}

mspack_file* Open(mspack_system* self, const char* drivePath, int mode) {
  CabinetIo& io = *IoOf(self);
  UniqueFd fd;
  switch (mode) {
    case MSPACK_SYS_OPEN_READ:
      if (io.drives.Open(drivePath, O_RDONLY, fd) != 0) return nullptr;
      break;
    case MSPACK_SYS_OPEN_WRITE:
      fd = UniqueFd(::fcntl(io.output, F_DUPFD_CLOEXEC, 0));
      if (!fd.valid()) {
        io.openError = errno;
        return nullptr;
      }
      break;
    default:
      return nullptr;  // the cabinet decoder only reads cabinets and writes new files
  }
  return reinterpret_cast<mspack_file*>(new HostFile{std::move(fd), &io});
}

void Close(mspack_file* file) {
  delete HostOf(file);
}

int Read(mspack_file* file, void* buffer, int bytes) {
  HostFile& host = *HostOf(file);
  auto* out = static_cast<char*>(buffer);
  int done = 0;
  while (done < bytes) {
    std::size_t count = 0;
    if (host.io->drives.ReadSome(host.fd.get(), out + done, static_cast<std::size_t>(bytes - done),
                                 count) != 0) {
      return -1;
    }
    if (count == 0) break;
    done += static_cast<int>(count);
  }
  return done;
}

int Write(mspack_file* file, void* buffer, int bytes) {
  HostFile& host = *HostOf(file);
  if (const int error =
          host.io->drives.Write(host.fd.get(), buffer, static_cast<std::size_t>(bytes))) {
    host.io->writeError = -error;
    return -1;
  }
  return bytes;
}

int Seek(mspack_file* file, off_t offset, int mode) {
  static constexpr int kWhence[] = {SEEK_SET, SEEK_CUR, SEEK_END};
  if (mode < 0 || mode > 2) return -1;
  return ::lseek(HostOf(file)->fd.get(), offset, kWhence[mode]) < 0 ? -1 : 0;
}

off_t Tell(mspack_file* file) {
  return ::lseek(HostOf(file)->fd.get(), 0, SEEK_CUR);
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

CabinetIo::CabinetIo(const DriveFolders& drives)
    : system{Open, Close, Read, Write, Seek, Tell, Message, Alloc, Free, Copy, nullptr},
      drives(drives) {}

}  // namespace lyn::sim
