#include "platform/sim/last_error.h"

#include <filesystem>
#include <new>
#include <system_error>

#include "platform/sim/files/host_errors.h"
#include "platform/sim/machine/state_store.h"

namespace lyn::sim {
namespace {

constexpr win::DWORD ERROR_FILE_CORRUPT = 1392;

thread_local win::DWORD lastError = win::ERROR_SUCCESS;

// A failure of the host's file system, as the Windows error its cause would
// give on a real disk.
win::DWORD ErrorOfHost(const std::error_code& code) {
  if (code.category() != std::generic_category() && code.category() != std::system_category()) {
    return ERROR_GEN_FAILURE;
  }
  return WindowsErrorOfHost(code.value());
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
    return win::ERROR_NOT_ENOUGH_MEMORY;
  } catch (...) {
    return ERROR_GEN_FAILURE;
  }
}

}  // namespace lyn::sim
