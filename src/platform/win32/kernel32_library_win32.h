// Libraries and threads on real Windows: each operation forwards to kernel32.
#pragma once

#include "platform/api/kernel32_library.h"

namespace lyn::win32 {

class Win32Kernel32Library : public win::Kernel32Library {
 public:
  win::HMODULE LoadLibraryA(win::LPCSTR fileName) override;
  win::FARPROC GetProcAddress(win::HMODULE module, win::LPCSTR procName) override;
  win::BOOL FreeLibrary(win::HMODULE module) override;
  win::HANDLE CreateThread(win::LPVOID security, std::size_t stackSize,
                           win::LPTHREAD_START_ROUTINE start, win::LPVOID parameter,
                           win::DWORD flags, win::DWORD* threadId) override;
  win::DWORD WaitForSingleObject(win::HANDLE object, win::DWORD milliseconds) override;
  win::BOOL GetExitCodeThread(win::HANDLE thread, win::DWORD* exitCode) override;
  win::BOOL TerminateThread(win::HANDLE thread, win::DWORD exitCode) override;
  win::BOOL CloseHandle(win::HANDLE object) override;
};

}  // namespace lyn::win32
