#include "platform/sim/last_error.h"

#include <cerrno>
#include <filesystem>
#include <new>
#include <system_error>

#include "platform/sim/machine/state_store.h"

namespace lyn::sim {
namespace {

constexpr win::DWORD ERROR_NOT_ENOUGH_MEMORY = 8;
constexpr win::DWORD ERROR_GEN_FAILURE = 31;
constexpr win::DWORD ERROR_HANDLE_DISK_FULL = 39;
constexpr win::DWORD ERROR_DISK_FULL = 112;
constexpr win::DWORD ERROR_FILENAME_EXCED_RANGE = 206;
constexpr win::DWORD ERROR_FILE_CORRUPT = 1392;

thread_local win::DWORD lastError = win::ERROR_SUCCESS;

// A failure of the host's file system, as the Windows error its cause would
// give on a real disk.
win::DWORD ErrorOfHost(const std::error_code& code) {
  if (code.category() != std::generic_category() && code.category() != std::system_category()) {
    return ERROR_GEN_FAILURE;
  }
  switch (code.value()) {
    case EACCES:
    case EPERM:
    case EROFS:
      return win::ERROR_ACCESS_DENIED;
    case ENOENT:
    case ENOTDIR:
    case ELOOP:
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
    case ENOMEM:
      return ERROR_NOT_ENOUGH_MEMORY;
    default:
      // EIO and whatever else the host reports: the device failed.
      return ERROR_GEN_FAILURE;
  }
}

}  // namespace

win::DWORD LastError() {
  return lastError;
}

void SetLastError(win::DWORD error) {
  lastError = error;
}

win::DWORD ErrorOfCurrentException() noexcept {
  try {
    throw;
  } catch (const StateError&) {
    // The machine's own bookkeeping is damaged or unreadable: Windows reports
    // damaged file-system structures as a corrupt file.
    return ERROR_FILE_CORRUPT;
  } catch (const MachineError&) {
    // A path that cannot be contained in the machine (a link leading out, an
    // unknown drive): as Windows reports a path it cannot follow.
    return win::ERROR_PATH_NOT_FOUND;
  } catch (const std::system_error& e) {
    return ErrorOfHost(e.code());
  } catch (const std::bad_alloc&) {
    return ERROR_NOT_ENOUGH_MEMORY;
  } catch (...) {
    return ERROR_GEN_FAILURE;
  }
}

}  // namespace lyn::sim
