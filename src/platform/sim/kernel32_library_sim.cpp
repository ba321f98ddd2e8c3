#include "platform/sim/kernel32_library_sim.h"

#include <chrono>
#include <ctime>

#include "platform/api/com.h"
#include "platform/sim/entry_point_stand_ins.h"
#include "platform/sim/files/file_layer.h"
#include "platform/sim/last_error.h"
#include "platform/sim/machine/case_fold.h"
#include "platform/sim/pe/pe_file.h"
#include "platform/sim/pe/pe_image.h"

namespace lyn::sim {
using namespace win;

namespace {

constexpr DWORD ERROR_NOT_ENOUGH_MEMORY = 8;

std::string UtcNow() {
  const std::time_t now = std::time(nullptr);
  std::tm utc{};
  gmtime_r(&now, &utc);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &utc);
  return text;
}

// The bytes of a 32-bit PE image, read as the loader maps it (execute and
// read), or the load's error code.
DWORD ReadLibrary(const FileLayer& files, const ResolvedPath& file,
                  std::vector<std::uint8_t>& bytes) {
  const DWORD error = files.ReadWhole(file, FILE_EXECUTE | FILE_READ_DATA, bytes);
  if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return ERROR_MOD_NOT_FOUND;
  if (error != ERROR_SUCCESS) return error;
  try {
    // The setup program is a 32-bit process: a 64-bit image does not load.
    if (pe::Image(bytes).Is64()) return ERROR_BAD_EXE_FORMAT;
  } catch (const pe::FormatError&) {
    return ERROR_BAD_EXE_FORMAT;
  }
  return ERROR_SUCCESS;
}

// How the machine's profile says the library's self-registration behaves.
SelfRegistrationBehaviour BehaviourOf(const Machine& machine, const std::string& library) {
  SelfRegistrationBehaviour behaviour;
  for (const auto& [name, given] : machine.profile().SelfRegistration) {
    if (EqualFolded(name, library)) behaviour = given;
  }
  return behaviour;
}

}  // namespace

SimKernel32Library::SimKernel32Library(const Machine& machine, SimKernel32& kernel32)
    : machine_(machine), kernel32_(kernel32) {}

SimKernel32Library::~SimKernel32Library() {
  for (const auto& worker : workers_) {
    const std::lock_guard lock(worker->mutex);
    worker->terminated = true;
    worker->changed.notify_all();
  }
  for (const auto& worker : workers_) {
    if (worker->thread.joinable()) worker->thread.join();
  }
  ReleaseStandIns(this, nullptr);
}

HMODULE SimKernel32Library::LoadLibraryA(LPCSTR fileName) {
  return Guarded(HMODULE{0}, [&]() -> HMODULE {
    if (fileName == nullptr) return Fail(ERROR_INVALID_PARAMETER, HMODULE{0});
    const FileLayer files(machine_);
    ResolvedPath file;
    if (files.Resolve(machine_.AnsiToUtf8(fileName), file) != ERROR_SUCCESS) {
      return Fail(ERROR_MOD_NOT_FOUND, HMODULE{0});
    }
    for (auto& [handle, module] : modules_) {
      if (EqualFolded(module->path, file.windowsPath)) {
        ++module->references;
        return handle;
      }
    }
    auto module = std::make_shared<Module>();
    if (const DWORD error = ReadLibrary(files, file, module->bytes); error != ERROR_SUCCESS) {
      return Fail(error, HMODULE{0});
    }
    module->path = file.windowsPath;
    module->name = file.windowsPath.substr(file.windowsPath.rfind('\\') + 1);
    const HMODULE handle = nextModule_;
    nextModule_ += 0x10000;
    modules_[handle] = std::move(module);
    return handle;
  });
}

FARPROC SimKernel32Library::GetProcAddress(HMODULE module, LPCSTR procName) {
  const auto found = modules_.find(module);
  if (found == modules_.end()) {
    kernel32_.SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
  }
  const std::string name = procName == nullptr ? std::string() : std::string(procName);
  if (name.empty() || !pe::ReadExport(found->second->bytes, name)) {
    kernel32_.SetLastError(ERROR_PROC_NOT_FOUND);
    return nullptr;
  }
  const SelfRegistrationEntry function = BindStandIn(StandIn{this, found->second, name});
  if (function == nullptr) {
    kernel32_.SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  return FunctionCast<FARPROC>(function);
}

BOOL SimKernel32Library::FreeLibrary(HMODULE module) {
  const auto found = modules_.find(module);
  if (found == modules_.end()) {
    kernel32_.SetLastError(ERROR_MOD_NOT_FOUND);
    return FALSE;
  }
  if (--found->second->references == 0) {
    // Threads started on its exports keep their own reference to it.
    ReleaseStandIns(this, found->second.get());
    modules_.erase(found);
  }
  return TRUE;
}

std::optional<HRESULT> SimKernel32Library::RunEntryPoint(const Module& module,
                                                         const std::string& entryPoint,
                                                         Worker* worker) const {
  const SelfRegistrationBehaviour behaviour = BehaviourOf(machine_, module.name);
  const std::chrono::milliseconds delay(behaviour.delayMs);
  if (worker != nullptr) {
    std::unique_lock lock(worker->mutex);
    if (worker->changed.wait_for(lock, delay, [&] { return worker->terminated; })) {
      return std::nullopt;
    }
  } else {
    std::this_thread::sleep_for(delay);
  }
  // A registration the store cannot record fails with the store's error.
  return Guarded([](DWORD error) { return HRESULT_FROM_WIN32(error); },
                 [&]() -> HRESULT {
                   machine_.State().Write([&](const Transaction& t) {
                     t.Prepare(
                          "INSERT INTO self_registrations (file, entry_point, result, time) "
                          "VALUES (?1, ?2, ?3, ?4)")
                         .Bind(1, module.path)
                         .Bind(2, entryPoint)
                         .Bind(3, static_cast<std::int64_t>(behaviour.result))
                         .Bind(4, UtcNow())
                         .Run();
                   });
                   return behaviour.result;
                 });
}

HANDLE SimKernel32Library::CreateThread(LPVOID, std::size_t, LPTHREAD_START_ROUTINE start,
                                        LPVOID parameter, DWORD flags, DWORD* threadId) {
  if (start == nullptr || flags != 0) {
    kernel32_.SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  auto worker = std::make_shared<Worker>();
  const std::optional<StandIn> standIn = FindStandIn(FunctionCast<SelfRegistrationEntry>(start));
  worker->modelled = standIn.has_value();
  const auto run = [this, worker, standIn, start, parameter] {
    std::optional<DWORD> code;
    if (standIn) {
      if (const auto result = RunEntryPoint(*standIn->module, standIn->entryPoint, worker.get())) {
        code = static_cast<DWORD>(*result);
      }
    } else {
      code = start(parameter);
    }
    const std::lock_guard lock(worker->mutex);
    if (!worker->terminated && code) worker->exitCode = *code;
    worker->done = true;
    worker->changed.notify_all();
  };
  // A stand-in that answers at once ends before CreateThread returns, as a
  // new thread may on Windows: the program cannot tell the difference, and
  // a thread of its own would make the process wait for a processor twice.
  if (standIn && BehaviourOf(machine_, standIn->module->name).delayMs == 0) {
    run();
  } else {
    worker->thread = std::thread(run);
  }
  workers_.push_back(worker);
  const HANDLE handle = nextHandle_;
  nextHandle_ += 4;
  handles_[handle] = worker;
  if (threadId != nullptr) *threadId = static_cast<DWORD>(workers_.size());
  return handle;
}

DWORD SimKernel32Library::WaitForSingleObject(HANDLE object, DWORD milliseconds) {
  const auto found = handles_.find(object);
  if (found == handles_.end()) {
    kernel32_.SetLastError(ERROR_INVALID_HANDLE);
    return WAIT_FAILED;
  }
  Worker& worker = *found->second;
  std::unique_lock lock(worker.mutex);
  const auto ended = [&] { return worker.done; };
  if (milliseconds == INFINITE) {
    worker.changed.wait(lock, ended);
    return WAIT_OBJECT_0;
  }
  return worker.changed.wait_for(lock, std::chrono::milliseconds(milliseconds), ended)
             ? WAIT_OBJECT_0
             : WAIT_TIMEOUT;
}

BOOL SimKernel32Library::GetExitCodeThread(HANDLE thread, DWORD* exitCode) {
  const auto found = handles_.find(thread);
  if (found == handles_.end() || exitCode == nullptr) {
    kernel32_.SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  const std::lock_guard lock(found->second->mutex);
  *exitCode = found->second->exitCode;
  return TRUE;
}

BOOL SimKernel32Library::TerminateThread(HANDLE thread, DWORD exitCode) {
  const auto found = handles_.find(thread);
  if (found == handles_.end()) {
    kernel32_.SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  Worker& worker = *found->second;
  if (!worker.modelled) {
    kernel32_.SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  const std::lock_guard lock(worker.mutex);
  if (worker.done || worker.terminated) return TRUE;
  worker.terminated = true;
  worker.exitCode = exitCode;
  worker.changed.notify_all();
  return TRUE;
}

BOOL SimKernel32Library::CloseHandle(HANDLE object) {
  if (handles_.erase(object) == 0) {
    kernel32_.SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  return TRUE;
}

}  // namespace lyn::sim
