#include "integration/mod_register.h"

#include "sysinfo/ansi_text.h"

namespace lyn {
namespace {

// How long a registration may take before the run goes on without it.
constexpr win::DWORD kRegistrationLimitMs = 10'000;
constexpr long kLoadErrorBase = 10'000;

}  // namespace

LoadLibraryError::LoadLibraryError(win::DWORD systemError)
    : std::runtime_error("LoadLibrary-Error: " + std::to_string(systemError)),
      number(kLoadErrorBase + static_cast<long>(systemError)),
      source("IsDLLActiveX"),
      description(what()) {}

bool IsDLLActiveX(Platform& platform, const std::string& path, bool raiseOnLoadFailure) {
  win::Kernel32Library& library = platform.library;
  const win::HMODULE module = library.LoadLibraryA(ToAnsi(platform.kernel32, path).c_str());
  if (module == 0) {
    if (raiseOnLoadFailure) throw LoadLibraryError(platform.kernel32.GetLastError());
    return false;
  }
  const bool found = library.GetProcAddress(module, "DllRegisterServer") != nullptr;
  library.FreeLibrary(module);
  return found;
}

bool RegisterServer(Platform& platform, const std::string& path, bool doRegister) {
  win::Kernel32Library& library = platform.library;
  const win::HMODULE module = library.LoadLibraryA(ToAnsi(platform.kernel32, path).c_str());
  bool registered = false;
  const win::FARPROC entry =
      module == 0 ? nullptr
                  : library.GetProcAddress(
                        module, doRegister ? "DllRegisterServer" : "DllUnregisterServer");
  if (entry != nullptr) {
    // The entry point takes no argument; the thread's is ignored, as the
    // platform's registration tool does it.
    const win::HANDLE thread = library.CreateThread(
        nullptr, 0, win::FunctionCast<win::LPTHREAD_START_ROUTINE>(entry), nullptr, 0, nullptr);
    if (thread != 0) {
      registered = library.WaitForSingleObject(thread, kRegistrationLimitMs) == win::WAIT_OBJECT_0;
      if (!registered) {
        win::DWORD exitCode = 0;
        library.GetExitCodeThread(thread, &exitCode);
        // Ending a thread is asynchronous: the library is released only
        // once the worker has stopped running in it.
        if (library.TerminateThread(thread, exitCode)) {
          library.WaitForSingleObject(thread, win::INFINITE);
        }
      }
      library.CloseHandle(thread);
    }
  }
  if (module != 0) library.FreeLibrary(module);
  return registered;
}

bool RegisterFile(Platform& platform, const std::string& path, bool doRegister) {
  if (!IsDLLActiveX(platform, path, false)) return false;
  return RegisterServer(platform, path, doRegister);
}

}  // namespace lyn
