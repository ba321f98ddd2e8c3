#include "platform/differential/library_sequence.h"

#include <atomic>
#include <thread>

namespace lyn::differential {
namespace {

constexpr win::DWORD kLimitMs = 10'000;
constexpr win::DWORD kShortLimitMs = 50;
constexpr win::DWORD kWorkerResult = 42;

// Runs until told to stop, then ends with a known code: a thread that
// outlasts a short wait.
std::atomic<bool> stopWorker;
win::DWORD LYN_CALLBACK Worker(win::LPVOID) {
  while (!stopWorker) std::this_thread::yield();
  return kWorkerResult;
}

}  // namespace

std::string RunLibrarySequence(win::Kernel32Library& library,
                               const std::function<win::DWORD()>& lastError,
                               const Libraries& libraries) {
  using namespace win;
  std::string out;
  const auto line = [&](const std::string& what, long long result, bool failed) {
    out += what + " " + std::to_string(result);
    if (failed) out += " error " + std::to_string(lastError());
    out += "\n";
  };
  // Runs an export on a thread of its own and reports the thread's end.
  const auto runOnThread = [&](const std::string& label, LPTHREAD_START_ROUTINE start) {
    const HANDLE thread = library.CreateThread(nullptr, 0, start, nullptr, 0, nullptr);
    line(label + " thread", thread != 0, thread == 0);
    if (thread == 0) return;
    line(label + " wait", library.WaitForSingleObject(thread, kLimitMs), false);
    DWORD code = 0;
    const BOOL read = library.GetExitCodeThread(thread, &code);
    line(label + " exit code", read ? code : -1, !read);
    line(label + " close", library.CloseHandle(thread), false);
  };

  for (const auto& [label, path] : libraries) {
    const HMODULE module = library.LoadLibraryA(path.c_str());
    line(label + " load", module != 0, module == 0);
    if (module == 0) continue;
    const HMODULE again = library.LoadLibraryA(path.c_str());
    line(label + " load again, same module", again == module, again == 0);
    const FARPROC missing = library.GetProcAddress(module, "CatalogMissing");
    line(label + " missing export", missing != nullptr, missing == nullptr);
    const FARPROC entry = library.GetProcAddress(module, "DllRegisterServer");
    line(label + " DllRegisterServer", entry != nullptr, entry == nullptr);
    if (entry != nullptr) {
      runOnThread(label + " DllRegisterServer", FunctionCast<LPTHREAD_START_ROUTINE>(entry));
    }
    // Loaded twice, freed twice; the third time it is no longer loaded.
    for (const char* time : {" free", " free again", " free once more"}) {
      const BOOL freed = library.FreeLibrary(module);
      line(label + time, freed, !freed);
    }
  }

  // A thread that takes longer than the wait allows.
  stopWorker = false;
  const HANDLE thread = library.CreateThread(nullptr, 0, &Worker, nullptr, 0, nullptr);
  line("worker thread", thread != 0, thread == 0);
  line("worker short wait", library.WaitForSingleObject(thread, kShortLimitMs), false);
  DWORD code = 0;
  library.GetExitCodeThread(thread, &code);
  line("worker exit code while running", code, false);
  stopWorker = true;
  line("worker wait", library.WaitForSingleObject(thread, INFINITE), false);
  library.GetExitCodeThread(thread, &code);
  line("worker exit code", code, false);
  line("worker close", library.CloseHandle(thread), false);
  const BOOL closedAgain = library.CloseHandle(thread);
  line("worker close again", closedAgain, !closedAgain);
  return out;
}

}  // namespace lyn::differential
