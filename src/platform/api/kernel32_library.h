// The kernel32 operations that load libraries, find their exports and run
// one on a thread of its own, with the published results and last errors.
// The last error of a failed call is read through Kernel32::GetLastError.
#pragma once

#include <cstddef>

#include "platform/api/win_types.h"

namespace lyn::win {

using HMODULE = std::uintptr_t;
// An export as GetProcAddress gives it; callers cast it to its real type.
using FARPROC = std::intptr_t(LYN_CALLBACK*)();
// A thread's start routine.
using LPTHREAD_START_ROUTINE = DWORD(LYN_CALLBACK*)(LPVOID parameter);
// The self-registration entry points DllRegisterServer and
// DllUnregisterServer: no arguments, a result code.
using SelfRegistrationEntry = HRESULT(LYN_CALLBACK*)();

// Converts one function pointer type to another through the generic one, as
// callers of GetProcAddress do.
template <typename To, typename From>
To FunctionCast(From function) {
  return reinterpret_cast<To>(reinterpret_cast<void (*)()>(function));
}

constexpr DWORD INFINITE = 0xFFFFFFFF;
constexpr DWORD WAIT_OBJECT_0 = 0;
constexpr DWORD WAIT_TIMEOUT = 0x102;
constexpr DWORD WAIT_FAILED = 0xFFFFFFFF;
constexpr DWORD STILL_ACTIVE = 259;

constexpr DWORD ERROR_MOD_NOT_FOUND = 126;
constexpr DWORD ERROR_PROC_NOT_FOUND = 127;
constexpr DWORD ERROR_BAD_EXE_FORMAT = 193;

class Kernel32Library {
 public:
  virtual ~Kernel32Library() = default;

  virtual HMODULE LoadLibraryA(LPCSTR fileName) = 0;
  virtual FARPROC GetProcAddress(HMODULE module, LPCSTR procName) = 0;
  virtual BOOL FreeLibrary(HMODULE module) = 0;

  virtual HANDLE CreateThread(LPVOID security, std::size_t stackSize, LPTHREAD_START_ROUTINE start,
                              LPVOID parameter, DWORD flags, DWORD* threadId) = 0;
  virtual DWORD WaitForSingleObject(HANDLE object, DWORD milliseconds) = 0;
  virtual BOOL GetExitCodeThread(HANDLE thread, DWORD* exitCode) = 0;
  virtual BOOL TerminateThread(HANDLE thread, DWORD exitCode) = 0;
  // Closes a thread handle this family gave out.
  virtual BOOL CloseHandle(HANDLE object) = 0;
};

}  // namespace lyn::win
