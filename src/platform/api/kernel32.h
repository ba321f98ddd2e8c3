// The kernel32 operations the program calls, with the published argument
// meanings, results and last-error codes.
#pragma once

#include "platform/api/win_types.h"

namespace lyn::win {

constexpr DWORD GENERIC_READ = 0x80000000;
constexpr DWORD GENERIC_WRITE = 0x40000000;
constexpr DWORD CREATE_ALWAYS = 2;
constexpr DWORD OPEN_EXISTING = 3;
constexpr UINT CP_ACP = 0;
constexpr UINT CP_UTF8 = 65001;
constexpr DWORD MOVEFILE_REPLACE_EXISTING = 0x1;
constexpr DWORD MOVEFILE_DELAY_UNTIL_REBOOT = 0x4;

class Kernel32 {
 public:
  virtual ~Kernel32() = default;

  // Version and processor.
  virtual BOOL GetVersionExA(OSVERSIONINFOA* info) = 0;
  virtual HANDLE GetCurrentProcess() = 0;
  virtual BOOL IsWow64Process(HANDLE process, BOOL* wow64) = 0;
  virtual void GetSystemInfo(SYSTEM_INFO* info) = 0;
  virtual void GetNativeSystemInfo(SYSTEM_INFO* info) = 0;
  virtual BOOL GetProductInfo(DWORD osMajor, DWORD osMinor, DWORD spMajor, DWORD spMinor,
                              DWORD* productType) = 0;

  // Folders and volumes.
  virtual UINT GetSystemDirectoryA(LPSTR buffer, UINT size) = 0;
  virtual UINT GetWindowsDirectoryA(LPSTR buffer, UINT size) = 0;
  virtual DWORD GetTempPathA(DWORD size, LPSTR buffer) = 0;
  virtual BOOL GetVolumeInformationA(LPCSTR rootPath, LPSTR volumeName, DWORD volumeNameSize,
                                     DWORD* serialNumber, DWORD* maxComponentLength,
                                     DWORD* fileSystemFlags, LPSTR fileSystemName,
                                     DWORD fileSystemNameSize) = 0;

  // Files.
  virtual HANDLE FindFirstFileA(LPCSTR pattern, WIN32_FIND_DATAA* data) = 0;
  virtual BOOL FindNextFileA(HANDLE search, WIN32_FIND_DATAA* data) = 0;
  virtual BOOL FindClose(HANDLE search) = 0;
  virtual DWORD GetFileAttributesA(LPCSTR path) = 0;
  virtual HANDLE CreateFileA(LPCSTR path, DWORD access, DWORD shareMode, LPVOID security,
                             DWORD creation, DWORD flags, HANDLE templateFile) = 0;
  virtual BOOL WriteFile(HANDLE file, const void* data, DWORD size, DWORD* written,
                         LPVOID overlapped) = 0;
  virtual BOOL CloseHandle(HANDLE object) = 0;
  virtual BOOL ReadFile(HANDLE file, void* buffer, DWORD size, DWORD* read, LPVOID overlapped) = 0;
  // Removal: a read-only or open file cannot be deleted, a folder only when
  // empty. MoveFileExA with MOVEFILE_DELAY_UNTIL_REBOOT and no new name
  // deletes the file at the next restart.
  virtual BOOL DeleteFileA(LPCSTR path) = 0;
  virtual BOOL RemoveDirectoryA(LPCSTR path) = 0;
  virtual BOOL MoveFileExA(LPCSTR existing, LPCSTR newName, DWORD flags) = 0;

  virtual BOOL CreateDirectoryA(LPCSTR path, LPVOID security) = 0;

  // Time conversion.
  virtual BOOL DosDateTimeToFileTime(WORD dosDate, WORD dosTime, FILETIME* fileTime) = 0;
  virtual BOOL FileTimeToSystemTime(const FILETIME* fileTime, SYSTEMTIME* systemTime) = 0;

  // Text conversion between code pages and UTF-16.
  virtual UINT GetACP() = 0;
  virtual int MultiByteToWideChar(UINT codePage, DWORD flags, LPCSTR text, int length, WCHAR* wide,
                                  int wideSize) = 0;
  virtual int WideCharToMultiByte(UINT codePage, DWORD flags, const WCHAR* wide, int length,
                                  LPSTR text, int size, LPCSTR defaultChar, BOOL* usedDefault) = 0;

  // Memory the platform allocated for the caller (security descriptors and
  // access lists); returns nullptr on success.
  virtual void* LocalFree(void* memory) = 0;

  // Process and thread.
  virtual HANDLE GetCurrentThread() = 0;
  virtual DWORD GetLastError() = 0;
  virtual void SetLastError(DWORD error) = 0;
  [[noreturn]] virtual void ExitProcess(UINT exitCode) = 0;
};

}  // namespace lyn::win
