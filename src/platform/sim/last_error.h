// The last-error value of the emulated machine: one per emulated thread, as
// Windows keeps it in each thread's environment block, shared by every
// emulated library (kernel32, user32, version, shell32 and those added later).
//
// Every emulated entry point that reaches the machine's state or the host runs
// its work through Guarded, so that no C++ exception leaves an API call: the
// exception becomes the call's failure result and the last error Windows
// would give.
#pragma once

#include <type_traits>
#include <utility>

#include "platform/api/win_types.h"

namespace lyn::sim {

win::DWORD LastError();
void SetLastError(win::DWORD error);

// Sets the last error and passes `result` through, for one-line failures.
template <typename T>
T Fail(win::DWORD error, T result) {
  SetLastError(error);
  return result;
}

// The Windows error for the exception being handled; call inside a catch.
win::DWORD ErrorOfCurrentException() noexcept;

// Runs `work` and returns its result. When it throws, sets the last error for
// the exception and returns `failure`, or `failure(error)` when `failure` is a
// function of the error (for calls that return an error code or an HRESULT).
template <typename Failure, typename Work>
auto Guarded(Failure failure, Work&& work) noexcept -> decltype(work()) {
  try {
    return std::forward<Work>(work)();
  } catch (...) {
    const win::DWORD error = ErrorOfCurrentException();
    SetLastError(error);
    if constexpr (std::is_invocable_v<Failure, win::DWORD>) {
      return failure(error);
    } else {
      return failure;
    }
  }
}

}  // namespace lyn::sim
