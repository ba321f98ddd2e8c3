// kernel32 of the emulated machine: the version records and folders of its
// profile, its volumes, its files, text in its code page, and the process.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "platform/api/kernel32.h"
#include "platform/sim/files/file_layer.h"
#include "platform/sim/last_error.h"
#include "platform/sim/machine/machine.h"
#include "platform/sim/process_host.h"

namespace lyn::sim {

class SimKernel32 : public win::Kernel32 {
 public:
  SimKernel32(const Machine& machine, ProcessHost& host);
  ~SimKernel32() override = default;

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
  win::BOOL ReadFile(win::HANDLE file, void* buffer, win::DWORD size, win::DWORD* read,
                     win::LPVOID overlapped) override;
  win::BOOL DeleteFileA(win::LPCSTR path) override;
  win::BOOL RemoveDirectoryA(win::LPCSTR path) override;
  win::BOOL MoveFileExA(win::LPCSTR existing, win::LPCSTR newName, win::DWORD flags) override;
  win::BOOL CreateDirectoryA(win::LPCSTR path, win::LPVOID security) override;

  win::BOOL DosDateTimeToFileTime(win::WORD dosDate, win::WORD dosTime,
                                  win::FILETIME* fileTime) override;
  win::BOOL FileTimeToSystemTime(const win::FILETIME* fileTime,
                                 win::SYSTEMTIME* systemTime) override;

  win::UINT GetACP() override;
  int MultiByteToWideChar(win::UINT codePage, win::DWORD flags, win::LPCSTR text, int length,
                          char16_t* wide, int wideSize) override;
  int WideCharToMultiByte(win::UINT codePage, win::DWORD flags, const char16_t* wide, int length,
                          win::LPSTR text, int size, win::LPCSTR defaultChar,
                          win::BOOL* usedDefault) override;

  void* LocalFree(void* memory) override;
  win::HANDLE GetCurrentThread() override;
  win::DWORD GetLastError() override;
  void SetLastError(win::DWORD error) override;
  [[noreturn]] void ExitProcess(win::UINT exitCode) override;

 private:
  // What a handle of this process refers to.
  struct OpenFile {
    OpenedFile opened;  // no descriptor for the null device
    bool writable = false;
  };
  struct Search {
    std::vector<win::WIN32_FIND_DATAA> entries;
    std::size_t next = 0;
  };

  win::UINT CopyFolder(const std::string& folder, win::LPSTR buffer, win::UINT size);
  std::vector<win::WIN32_FIND_DATAA> FindEntries(const std::string& pattern);
  win::HANDLE NewHandle();
  // Runs one change of the file layer on a path the program gave.
  template <typename Change>
  win::BOOL ChangePath(win::LPCSTR path, win::DWORD nullPathError, Change&& change);

  const Machine& machine_;
  ProcessHost& host_;
  win::HANDLE nextHandle_ = 0x100;
  std::map<win::HANDLE, std::unique_ptr<OpenFile>> files_;
  std::map<win::HANDLE, Search> searches_;
};

}  // namespace lyn::sim
