#include "platform/win32/kernel32_library_win32.h"

// After the seam's headers: the platform's macros would rename their names.
#include <windows.h>

namespace lyn::win32 {
namespace {

::HANDLE Native(win::HANDLE handle) {
  return reinterpret_cast<::HANDLE>(handle);
}

}  // namespace

win::HMODULE Win32Kernel32Library::LoadLibraryA(win::LPCSTR fileName) {
  return reinterpret_cast<win::HMODULE>(::LoadLibraryA(fileName));
}

win::FARPROC Win32Kernel32Library::GetProcAddress(win::HMODULE module, win::LPCSTR procName) {
  return win::FunctionCast<win::FARPROC>(
      ::GetProcAddress(reinterpret_cast<::HMODULE>(module), procName));
}

win::BOOL Win32Kernel32Library::FreeLibrary(win::HMODULE module) {
  return ::FreeLibrary(reinterpret_cast<::HMODULE>(module));
}

win::HANDLE Win32Kernel32Library::CreateThread(win::LPVOID security, std::size_t stackSize,
                                               win::LPTHREAD_START_ROUTINE start,
                                               win::LPVOID parameter, win::DWORD flags,
                                               win::DWORD* threadId) {
  return reinterpret_cast<win::HANDLE>(
      ::CreateThread(static_cast<::LPSECURITY_ATTRIBUTES>(security), stackSize,
                     win::FunctionCast<::LPTHREAD_START_ROUTINE>(start), parameter, flags,
                     reinterpret_cast<::DWORD*>(threadId)));
}

win::DWORD Win32Kernel32Library::WaitForSingleObject(win::HANDLE object, win::DWORD milliseconds) {
  return ::WaitForSingleObject(Native(object), milliseconds);
}

win::BOOL Win32Kernel32Library::GetExitCodeThread(win::HANDLE thread, win::DWORD* exitCode) {
  return ::GetExitCodeThread(Native(thread), reinterpret_cast<::DWORD*>(exitCode));
}

win::BOOL Win32Kernel32Library::TerminateThread(win::HANDLE thread, win::DWORD exitCode) {
  return ::TerminateThread(Native(thread), exitCode);
}

win::BOOL Win32Kernel32Library::CloseHandle(win::HANDLE object) {
  return ::CloseHandle(Native(object));
}

}  // namespace lyn::win32
