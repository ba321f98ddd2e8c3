// modRegister: COM self-registration of an installed library by its own
// entry points, DllRegisterServer and DllUnregisterServer, run inside the
// setup process on a worker thread that is awaited at most 10 seconds.
// Each operation loads the library and releases it before returning.
#pragma once

#include <stdexcept>
#include <string>

#include "platform/api/platform.h"

namespace lyn {

// The library could not be loaded: number 10000 plus the system error code,
// source "IsDLLActiveX", description "LoadLibrary-Error: " and the code.
class LoadLibraryError : public std::runtime_error {
 public:
  explicit LoadLibraryError(win::DWORD systemError);
  long number;
  std::string source;
  std::string description;
};

// True when the library exports DllRegisterServer. Throws LoadLibraryError
// when it cannot be loaded and `raiseOnLoadFailure` is set.
bool IsDLLActiveX(Platform& platform, const std::string& path, bool raiseOnLoadFailure);

// Runs DllRegisterServer (or DllUnregisterServer) on a worker thread; true
// when it ended within the limit, whatever result code it gave.
bool RegisterServer(Platform& platform, const std::string& path, bool doRegister);

// Registers (or unregisters) a file when it is self-registering.
bool RegisterFile(Platform& platform, const std::string& path, bool doRegister);

}  // namespace lyn
