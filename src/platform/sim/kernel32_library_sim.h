// Libraries and threads of the emulated kernel32. A library is a real PE
// file of the machine whose export table is read; its code is never run.
// GetProcAddress of an export gives a callable stand-in that runs the
// machine's model of a self-registration entry point: it takes the time the
// profile gives the library (none by default), answers its result code
// (S_OK by default) and, once it has ended, is recorded in the state store.
//
// Threads are real threads. TerminateThread ends a thread running such a
// stand-in at once; a library stays loaded while a thread started on one of
// its exports still runs.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/api/kernel32_library.h"
#include "platform/sim/kernel32_sim.h"
#include "platform/sim/machine/machine.h"

namespace lyn::sim {

class SimKernel32Library : public win::Kernel32Library {
 public:
  SimKernel32Library(const Machine& machine, SimKernel32& kernel32);
  // Ends every thread still running a stand-in and waits for all threads.
  ~SimKernel32Library() override;
  SimKernel32Library(const SimKernel32Library&) = delete;
  SimKernel32Library& operator=(const SimKernel32Library&) = delete;

  win::HMODULE LoadLibraryA(win::LPCSTR fileName) override;
  win::FARPROC GetProcAddress(win::HMODULE module, win::LPCSTR procName) override;
  win::BOOL FreeLibrary(win::HMODULE module) override;

  win::HANDLE CreateThread(win::LPVOID security, std::size_t stackSize,
                           win::LPTHREAD_START_ROUTINE start, win::LPVOID parameter,
                           win::DWORD flags, win::DWORD* threadId) override;
  win::DWORD WaitForSingleObject(win::HANDLE object, win::DWORD milliseconds) override;
  win::BOOL GetExitCodeThread(win::HANDLE thread, win::DWORD* exitCode) override;
  // Only a thread running a stand-in can be ended (ERROR_ACCESS_DENIED
  // otherwise): the machine cannot stop host code.
  win::BOOL TerminateThread(win::HANDLE thread, win::DWORD exitCode) override;
  win::BOOL CloseHandle(win::HANDLE object) override;

  // A loaded library.
  struct Module {
    std::string path;  // as the machine resolved it
    std::string name;  // its file name
    std::vector<std::uint8_t> bytes;
    int references = 1;
  };
  // A thread and what the program can ask of it.
  struct Worker {
    std::thread thread;
    std::mutex mutex;
    std::condition_variable changed;
    bool modelled = false;  // it runs a stand-in, which TerminateThread can end
    bool done = false;
    bool terminated = false;
    win::DWORD exitCode = win::STILL_ACTIVE;
  };
  // Runs the model of an export of a module; `worker` (may be null) can end
  // it early. Returns nullopt when it was ended before its result.
  std::optional<win::HRESULT> RunEntryPoint(const Module& module, const std::string& entryPoint,
                                            Worker* worker) const;

 private:
  const Machine& machine_;
  SimKernel32& kernel32_;
  std::map<win::HMODULE, std::shared_ptr<Module>> modules_;
  std::map<win::HANDLE, std::shared_ptr<Worker>> handles_;
  std::vector<std::shared_ptr<Worker>> workers_;
  win::HMODULE nextModule_ = 0x10000000;
  win::HANDLE nextHandle_ = 0x2000;
};

}  // namespace lyn::sim
