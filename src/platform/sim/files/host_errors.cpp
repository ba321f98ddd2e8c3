#include "platform/sim/files/host_errors.h"

#include <cerrno>

namespace lyn::sim {

win::DWORD WindowsErrorOfHost(int hostError) {
  switch (hostError) {
    case EACCES:
    case EPERM:
    case EISDIR:
      return win::ERROR_ACCESS_DENIED;
    case EROFS:
      // A medium that takes no writes: Windows reports it write-protected.
      return win::ERROR_WRITE_PROTECT;
    case ENOENT:
    case ENOTDIR:
    case ELOOP:
      // Something on the way vanished, is no folder, or is a link the
      // machine does not follow.
      return win::ERROR_PATH_NOT_FOUND;
    case EEXIST:
      return win::ERROR_ALREADY_EXISTS;
    case ENOTEMPTY:
      return win::ERROR_DIR_NOT_EMPTY;
    case ENAMETOOLONG:
      return ERROR_FILENAME_EXCED_RANGE;
    case ENOSPC:
      return ERROR_DISK_FULL;
    case EDQUOT:
      return ERROR_HANDLE_DISK_FULL;
    case EXDEV:
      return ERROR_NOT_SAME_DEVICE;
    case ENOMEM:
      return win::ERROR_NOT_ENOUGH_MEMORY;
    case EIO:
      // The device failed a transfer: STATUS_IO_DEVICE_ERROR's Windows error.
      return ERROR_IO_DEVICE;
    default:
      // Whatever else the host reports: a device that does not work.
      return ERROR_GEN_FAILURE;
  }
}

}  // namespace lyn::sim
