// kernel32 of the real platform: every call forwarded as it is.
#pragma once

#include "platform/api/kernel32.h"

namespace lyn::win32 {

class Win32Kernel32 final : public win::Kernel32 {
 public:
  win::BOOL GetVersionExA(win::OSVERSIONINFOA* info) override;
  win::HANDLE GetCurrentProcess() override;
  win::BOOL IsWow64Process(win::HANDLE process, win::BOOL* wow64) override;
  void GetSystemInfo(win::SYSTEM_INFO* info) override;
  void GetNativeSystemInfo(win::SYSTEM_INFO* info) override;
  win::BOOL GetProductInfo(win::DWORD osMajor, win::DWORD osMinor, win::DWORD spMajor,
                           win::DWORD spMinor, win::DWORD* productType) override;

  win::UINT GetSystemDirectoryA(win::LPSTR buffer, win::UINT size) override;
  win::UINT GetWindowsDirectoryA(win::LPSTR buffer, win::UINT size) override;
  win::DWORD GetTempPathA(win::DWORD size, win::LPSTR buffer) override;
  win::BOOL GetVolumeInformationA(win::LPCSTR rootPath, win::LPSTR volumeName,
                                  win::DWORD volumeNameSize, win::DWORD* serialNumber,
                                  win::DWORD* maxComponentLength, win::DWORD* fileSystemFlags,
                                  win::LPSTR fileSystemName,
                                  win::DWORD fileSystemNameSize) override;

  win::HANDLE FindFirstFileA(win::LPCSTR pattern, win::WIN32_FIND_DATAA* data) override;
  win::BOOL FindNextFileA(win::HANDLE search, win::WIN32_FIND_DATAA* data) override;
  win::BOOL FindClose(win::HANDLE search) override;
  win::DWORD GetFileAttributesA(win::LPCSTR path) override;
  win::HANDLE CreateFileA(win::LPCSTR path, win::DWORD access, win::DWORD shareMode,
                          win::LPVOID security, win::DWORD creation, win::DWORD flags,
                          win::HANDLE templateFile) override;
  win::BOOL WriteFile(win::HANDLE file, const void* data, win::DWORD size, win::DWORD* written,
                      win::LPVOID overlapped) override;
  win::BOOL CloseHandle(win::HANDLE object) override;
  win::BOOL CreateDirectoryA(win::LPCSTR path, win::LPVOID security) override;
  win::BOOL ReadFile(win::HANDLE file, void* buffer, win::DWORD size, win::DWORD* read,
                     win::LPVOID overlapped) override;
  win::BOOL DeleteFileA(win::LPCSTR path) override;
  win::BOOL RemoveDirectoryA(win::LPCSTR path) override;
  win::BOOL MoveFileExA(win::LPCSTR existing, win::LPCSTR newName, win::DWORD flags) override;

  win::BOOL DosDateTimeToFileTime(win::WORD dosDate, win::WORD dosTime,
                                  win::FILETIME* fileTime) override;
  win::BOOL FileTimeToSystemTime(const win::FILETIME* fileTime,
                                 win::SYSTEMTIME* systemTime) override;

  win::UINT GetACP() override;
  int MultiByteToWideChar(win::UINT codePage, win::DWORD flags, win::LPCSTR text, int length,
                          win::WCHAR* wide, int wideSize) override;
  int WideCharToMultiByte(win::UINT codePage, win::DWORD flags, const win::WCHAR* wide, int length,
                          win::LPSTR text, int size, win::LPCSTR defaultChar,
                          win::BOOL* usedDefault) override;

  void* LocalFree(void* memory) override;
  win::HANDLE GetCurrentThread() override;
  win::DWORD GetLastError() override;
  // The last error is the calling thread's, kept by the platform itself.
  void SetLastError(win::DWORD error) override;
  [[noreturn]] void ExitProcess(win::UINT exitCode) override;
};

}  // namespace lyn::win32
