// A platform whose answers a test sets: version records, folders, windows
// and message-box answers. Ending the process throws ProcessEnded.
#pragma once

#include <deque>
#include <map>
#include <string>
#include <vector>

#include "platform/api/platform.h"

namespace lyn::fakes {

struct ProcessEnded {
  win::UINT exitCode;
};

class FakeKernel32 : public win::Kernel32 {
 public:
  win::OSVERSIONINFOEXA version{};  // answered to both record sizes
  bool failVersionQuery = false;
  bool failExtendedQuery = false;
  bool failWow64Query = false;
  win::BOOL wow64 = win::FALSE;
  win::WORD processArchitecture = win::PROCESSOR_ARCHITECTURE_INTEL;
  win::WORD nativeArchitecture = win::PROCESSOR_ARCHITECTURE_INTEL;
  win::DWORD productType = 0;
  std::string systemDirectory = "C:\\Windows\\system32";
  std::string windowsDirectory = "C:\\Windows";
  std::string tempPath = "C:\\Temp\\";
  bool volumeQueryFails = false;
  std::string fileSystemName = "NTFS";
  win::DWORD lastError = 0;

  win::BOOL GetVersionExA(win::OSVERSIONINFOA* info) override;
  win::HANDLE GetCurrentProcess() override { return static_cast<win::HANDLE>(-1); }
  win::BOOL IsWow64Process(win::HANDLE, win::BOOL* result) override;
  void GetSystemInfo(win::SYSTEM_INFO* info) override;
  void GetNativeSystemInfo(win::SYSTEM_INFO* info) override;
  win::BOOL GetProductInfo(win::DWORD, win::DWORD, win::DWORD, win::DWORD,
                           win::DWORD* type) override;
  win::UINT GetSystemDirectoryA(win::LPSTR buffer, win::UINT size) override;
  win::UINT GetWindowsDirectoryA(win::LPSTR buffer, win::UINT size) override;
  win::DWORD GetTempPathA(win::DWORD size, win::LPSTR buffer) override;
  win::BOOL GetVolumeInformationA(win::LPCSTR, win::LPSTR, win::DWORD, win::DWORD*, win::DWORD*,
                                  win::DWORD*, win::LPSTR fileSystemName,
                                  win::DWORD fileSystemNameSize) override;
  // The code these fakes serve touches no files.
  win::HANDLE FindFirstFileA(win::LPCSTR, win::WIN32_FIND_DATAA*) override {
    return win::INVALID_HANDLE_VALUE;
  }
  win::BOOL FindNextFileA(win::HANDLE, win::WIN32_FIND_DATAA*) override { return win::FALSE; }
  win::BOOL FindClose(win::HANDLE) override { return win::TRUE; }
  win::DWORD GetFileAttributesA(win::LPCSTR) override { return win::INVALID_FILE_ATTRIBUTES; }
  win::HANDLE CreateFileA(win::LPCSTR, win::DWORD, win::DWORD, win::LPVOID, win::DWORD, win::DWORD,
                          win::HANDLE) override {
    return win::INVALID_HANDLE_VALUE;
  }
  win::BOOL WriteFile(win::HANDLE, const void*, win::DWORD, win::DWORD*, win::LPVOID) override {
    return win::FALSE;
  }
  win::BOOL CloseHandle(win::HANDLE) override { return win::TRUE; }
  win::BOOL ReadFile(win::HANDLE, void*, win::DWORD, win::DWORD*, win::LPVOID) override {
    return win::FALSE;
  }
  win::BOOL DeleteFileA(win::LPCSTR) override { return win::FALSE; }
  win::BOOL RemoveDirectoryA(win::LPCSTR) override { return win::FALSE; }
  win::BOOL MoveFileExA(win::LPCSTR, win::LPCSTR, win::DWORD) override { return win::FALSE; }
  win::BOOL CreateDirectoryA(win::LPCSTR, win::LPVOID) override { return win::FALSE; }
  win::BOOL DosDateTimeToFileTime(win::WORD, win::WORD, win::FILETIME*) override {
    return win::FALSE;
  }
  win::BOOL FileTimeToSystemTime(const win::FILETIME*, win::SYSTEMTIME*) override {
    return win::FALSE;
  }
  win::UINT GetACP() override { return 1252; }
  // Converts byte for byte, which is right for the ASCII texts of the tests.
  int MultiByteToWideChar(win::UINT codePage, win::DWORD, win::LPCSTR text, int length,
                          char16_t* wide, int wideSize) override;
  int WideCharToMultiByte(win::UINT codePage, win::DWORD, const char16_t* wide, int length,
                          win::LPSTR text, int size, win::LPCSTR, win::BOOL*) override;
  void* LocalFree(void*) override { return nullptr; }
  win::HANDLE GetCurrentThread() override { return static_cast<win::HANDLE>(-2); }
  win::DWORD GetLastError() override { return lastError; }
  void SetLastError(win::DWORD error) override { lastError = error; }
  [[noreturn]] void ExitProcess(win::UINT exitCode) override { throw ProcessEnded{exitCode}; }
};

struct FakeWindow {
  std::string className;
  std::string caption;
};

struct ShownBox {
  std::string text;
  std::string caption;
  win::UINT type;
};

class FakeUser32 : public win::User32 {
 public:
  std::vector<FakeWindow> windows;  // handle = index + 1
  std::deque<int> answers;          // message-box answers, in order
  std::vector<ShownBox> boxes;

  win::WORD RegisterClassA(const win::WNDCLASSA*) override { return 1; }
  win::HWND CreateWindowExA(win::DWORD, win::LPCSTR className, win::LPCSTR windowName,
                            win::DWORD) override;
  win::BOOL EnumWindows(win::WNDENUMPROC callback, win::LPARAM param) override;
  int GetClassNameA(win::HWND window, win::LPSTR buffer, int size) override;
  int GetWindowTextA(win::HWND window, win::LPSTR buffer, int size) override;
  win::BOOL SetWindowPos(win::HWND, win::HWND, int, int, int, int, win::UINT) override {
    return win::TRUE;
  }
  // Every edition metric is off.
  int GetSystemMetrics(int) override { return 0; }
  int MessageBoxA(win::HWND, win::LPCSTR text, win::LPCSTR caption, win::UINT type) override;
};

class FakeVersion : public win::Version {
 public:
  win::DWORD GetFileVersionInfoSizeA(win::LPCSTR, win::DWORD*) override { return 0; }
  win::BOOL GetFileVersionInfoA(win::LPCSTR, win::DWORD, win::DWORD, win::LPVOID) override {
    return win::FALSE;
  }
  win::BOOL VerQueryValueA(const void*, win::LPCSTR, win::LPVOID*, win::UINT*) override {
    return win::FALSE;
  }
};

class FakeShell32 : public win::Shell32 {
 public:
  std::map<int, std::string> folders;

  win::HRESULT SHGetFolderPathA(win::HWND, int folder, win::HANDLE, win::DWORD,
                                win::LPSTR path) override;
  int SHFileOperationA(win::SHFILEOPSTRUCTA*) override { return win::DE_OPCANCELLED; }
};

// The code these fakes serve walks no cabinet.
class NoCabinets : public win::SetupApi {
 public:
  win::BOOL SetupIterateCabinetA(win::LPCSTR, win::DWORD, win::PSP_FILE_CALLBACK_A,
                                 win::LPVOID) override {
    return win::FALSE;
  }
};

// Widgets are not used by the code these fakes serve; asking for them fails.
class NoWidgets : public ui::Widgets {
 public:
  ui::Form& CreateForm(const ui::ControlDesign&, int, int) override;
  void RunMessageLoop() override {}
  void DoEvents() override {}
  void SetMousePointer(int) override {}
};

// Security is not used by the code these fakes serve: every call fails.
class NoSecurity : public win::Advapi32Security {
 public:
  win::BOOL GetFileSecurityA(win::LPCSTR, win::SECURITY_INFORMATION, win::PSECURITY_DESCRIPTOR,
                             win::DWORD, win::DWORD*) override {
    return win::FALSE;
  }
  win::BOOL GetSecurityDescriptorOwner(win::PSECURITY_DESCRIPTOR, win::PSID*, win::BOOL*) override {
    return win::FALSE;
  }
  win::BOOL LookupAccountSidA(win::LPCSTR, win::PSID, win::LPSTR, win::DWORD*, win::LPSTR,
                              win::DWORD*, win::SID_NAME_USE*) override {
    return win::FALSE;
  }
  win::BOOL AllocateAndInitializeSid(const win::SID_IDENTIFIER_AUTHORITY*, win::BYTE, win::DWORD,
                                     win::DWORD, win::DWORD, win::DWORD, win::DWORD, win::DWORD,
                                     win::DWORD, win::DWORD, win::PSID*) override {
    return win::FALSE;
  }
  void* FreeSid(win::PSID) override { return nullptr; }
  win::BOOL ImpersonateSelf(win::SECURITY_IMPERSONATION_LEVEL) override { return win::FALSE; }
  win::BOOL OpenThreadToken(win::HANDLE, win::DWORD, win::BOOL, win::HANDLE*) override {
    return win::FALSE;
  }
  void MapGenericMask(win::DWORD*, const win::GENERIC_MAPPING*) override {}
  win::BOOL AccessCheck(win::PSECURITY_DESCRIPTOR, win::HANDLE, win::DWORD,
                        const win::GENERIC_MAPPING*, win::PRIVILEGE_SET*, win::DWORD*, win::DWORD*,
                        win::BOOL*) override {
    return win::FALSE;
  }
  win::BOOL RevertToSelf() override { return win::FALSE; }
  win::DWORD GetNamedSecurityInfoA(win::LPCSTR, win::SE_OBJECT_TYPE, win::SECURITY_INFORMATION,
                                   win::PSID*, win::PSID*, win::PACL*, win::PACL*,
                                   win::PSECURITY_DESCRIPTOR*) override {
    return win::ERROR_NOT_SUPPORTED;
  }
  void BuildExplicitAccessWithNameA(win::EXPLICIT_ACCESS_A*, win::LPSTR, win::DWORD,
                                    win::ACCESS_MODE, win::DWORD) override {}
  win::DWORD SetEntriesInAclA(win::DWORD, win::EXPLICIT_ACCESS_A*, win::PACL, win::PACL*) override {
    return win::ERROR_NOT_SUPPORTED;
  }
  win::DWORD SetNamedSecurityInfoA(win::LPSTR, win::SE_OBJECT_TYPE, win::SECURITY_INFORMATION,
                                   win::PSID, win::PSID, win::PACL, win::PACL) override {
    return win::ERROR_NOT_SUPPORTED;
  }
};

// The code these fakes serve reads and writes no registry: every key is
// missing and none can be made.
class NoRegistry : public win::Advapi32Registry {
 public:
  win::LONG RegOpenKeyA(win::HKEY, win::LPCSTR, win::HKEY*) override {
    return win::ERROR_FILE_NOT_FOUND;
  }
  win::LONG RegOpenKeyExA(win::HKEY, win::LPCSTR, win::DWORD, win::REGSAM, win::HKEY*) override {
    return win::ERROR_FILE_NOT_FOUND;
  }
  win::LONG RegCreateKeyA(win::HKEY, win::LPCSTR, win::HKEY*) override {
    return win::ERROR_ACCESS_DENIED;
  }
  win::LONG RegQueryValueExA(win::HKEY, win::LPCSTR, win::DWORD*, win::DWORD*, win::BYTE*,
                             win::DWORD*) override {
    return win::ERROR_INVALID_HANDLE;
  }
  win::LONG RegSetValueExA(win::HKEY, win::LPCSTR, win::DWORD, win::DWORD, const win::BYTE*,
                           win::DWORD) override {
    return win::ERROR_INVALID_HANDLE;
  }
  win::LONG RegDeleteKeyA(win::HKEY, win::LPCSTR) override { return win::ERROR_INVALID_HANDLE; }
  win::LONG RegCloseKey(win::HKEY) override { return win::ERROR_INVALID_HANDLE; }
};

// Nor does it create COM objects: no class is registered.
class NoCom : public win::Com {
 public:
  win::HRESULT CoInitialize(win::LPVOID) override { return win::S_OK; }
  void CoUninitialize() override {}
  win::HRESULT CoCreateInstance(const win::CLSID&, win::IUnknown*, win::DWORD, const win::IID&,
                                win::LPVOID* object) override {
    *object = nullptr;
    return win::REGDB_E_CLASSNOTREG;
  }
};

// Nor does it load libraries or start threads.
class NoLibraries : public win::Kernel32Library {
 public:
  win::HMODULE LoadLibraryA(win::LPCSTR) override { return 0; }
  win::FARPROC GetProcAddress(win::HMODULE, win::LPCSTR) override { return nullptr; }
  win::BOOL FreeLibrary(win::HMODULE) override { return win::FALSE; }
  win::HANDLE CreateThread(win::LPVOID, std::size_t, win::LPTHREAD_START_ROUTINE, win::LPVOID,
                           win::DWORD, win::DWORD*) override {
    return 0;
  }
  win::DWORD WaitForSingleObject(win::HANDLE, win::DWORD) override { return win::WAIT_FAILED; }
  win::BOOL GetExitCodeThread(win::HANDLE, win::DWORD*) override { return win::FALSE; }
  win::BOOL TerminateThread(win::HANDLE, win::DWORD) override { return win::FALSE; }
  win::BOOL CloseHandle(win::HANDLE) override { return win::FALSE; }
};

struct FakePlatform {
  FakeKernel32 kernel32;
  FakeUser32 user32;
  FakeVersion version;
  FakeShell32 shell32;
  NoCabinets setupapi;
  NoWidgets widgets;
  NoSecurity security;
  NoRegistry registry;
  NoCom com;
  NoLibraries library;
  Platform platform{kernel32, user32,   version,  shell32, setupapi,
                    widgets,  security, registry, com,     library};
};

}  // namespace lyn::fakes
