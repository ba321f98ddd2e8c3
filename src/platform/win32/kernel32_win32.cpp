#include "platform/win32/kernel32_win32.h"

#include "platform/win32/win_records.h"

namespace lyn::win32 {

win::BOOL Win32Kernel32::GetVersionExA(win::OSVERSIONINFOA* info) {
  return ::GetVersionExA(AsReal<::OSVERSIONINFOA>(info));
}

win::HANDLE Win32Kernel32::GetCurrentProcess() {
  return SeamHandle(::GetCurrentProcess());
}

win::BOOL Win32Kernel32::IsWow64Process(win::HANDLE process, win::BOOL* wow64) {
  return ::IsWow64Process(RealHandle(process), wow64);
}

void Win32Kernel32::GetSystemInfo(win::SYSTEM_INFO* info) {
  ::GetSystemInfo(AsReal<::SYSTEM_INFO>(info));
}

void Win32Kernel32::GetNativeSystemInfo(win::SYSTEM_INFO* info) {
  ::GetNativeSystemInfo(AsReal<::SYSTEM_INFO>(info));
}

win::BOOL Win32Kernel32::GetProductInfo(win::DWORD osMajor, win::DWORD osMinor, win::DWORD spMajor,
                                        win::DWORD spMinor, win::DWORD* productType) {
  return ::GetProductInfo(osMajor, osMinor, spMajor, spMinor, AsReal<::DWORD>(productType));
}

win::UINT Win32Kernel32::GetSystemDirectoryA(win::LPSTR buffer, win::UINT size) {
  return ::GetSystemDirectoryA(buffer, size);
}

win::UINT Win32Kernel32::GetWindowsDirectoryA(win::LPSTR buffer, win::UINT size) {
  return ::GetWindowsDirectoryA(buffer, size);
}

win::DWORD Win32Kernel32::GetTempPathA(win::DWORD size, win::LPSTR buffer) {
  return ::GetTempPathA(size, buffer);
}

win::BOOL Win32Kernel32::GetVolumeInformationA(win::LPCSTR rootPath, win::LPSTR volumeName,
                                               win::DWORD volumeNameSize, win::DWORD* serialNumber,
                                               win::DWORD* maxComponentLength,
                                               win::DWORD* fileSystemFlags,
                                               win::LPSTR fileSystemName,
                                               win::DWORD fileSystemNameSize) {
  return ::GetVolumeInformationA(rootPath, volumeName, volumeNameSize,
                                 AsReal<::DWORD>(serialNumber), AsReal<::DWORD>(maxComponentLength),
                                 AsReal<::DWORD>(fileSystemFlags), fileSystemName,
                                 fileSystemNameSize);
}

win::HANDLE Win32Kernel32::FindFirstFileA(win::LPCSTR pattern, win::WIN32_FIND_DATAA* data) {
  return SeamHandle(::FindFirstFileA(pattern, AsReal<::WIN32_FIND_DATAA>(data)));
}

win::BOOL Win32Kernel32::FindNextFileA(win::HANDLE search, win::WIN32_FIND_DATAA* data) {
  return ::FindNextFileA(RealHandle(search), AsReal<::WIN32_FIND_DATAA>(data));
}

win::BOOL Win32Kernel32::FindClose(win::HANDLE search) {
  return ::FindClose(RealHandle(search));
}

win::DWORD Win32Kernel32::GetFileAttributesA(win::LPCSTR path) {
  return ::GetFileAttributesA(path);
}

win::HANDLE Win32Kernel32::CreateFileA(win::LPCSTR path, win::DWORD access, win::DWORD shareMode,
                                       win::LPVOID security, win::DWORD creation, win::DWORD flags,
                                       win::HANDLE templateFile) {
  return SeamHandle(::CreateFileA(path, access, shareMode,
                                  static_cast<::LPSECURITY_ATTRIBUTES>(security), creation, flags,
                                  RealHandle(templateFile)));
}

win::BOOL Win32Kernel32::WriteFile(win::HANDLE file, const void* data, win::DWORD size,
                                   win::DWORD* written, win::LPVOID overlapped) {
  return ::WriteFile(RealHandle(file), data, size, AsReal<::DWORD>(written),
                     static_cast<::LPOVERLAPPED>(overlapped));
}

win::BOOL Win32Kernel32::CloseHandle(win::HANDLE object) {
  return ::CloseHandle(RealHandle(object));
}

win::BOOL Win32Kernel32::CreateDirectoryA(win::LPCSTR path, win::LPVOID security) {
  return ::CreateDirectoryA(path, static_cast<::LPSECURITY_ATTRIBUTES>(security));
}

win::BOOL Win32Kernel32::ReadFile(win::HANDLE file, void* buffer, win::DWORD size, win::DWORD* read,
                                  win::LPVOID overlapped) {
  return ::ReadFile(RealHandle(file), buffer, size, AsReal<::DWORD>(read),
                    static_cast<::LPOVERLAPPED>(overlapped));
}

win::BOOL Win32Kernel32::DeleteFileA(win::LPCSTR path) {
  return ::DeleteFileA(path);
}

win::BOOL Win32Kernel32::RemoveDirectoryA(win::LPCSTR path) {
  return ::RemoveDirectoryA(path);
}

win::BOOL Win32Kernel32::MoveFileExA(win::LPCSTR existing, win::LPCSTR newName, win::DWORD flags) {
  return ::MoveFileExA(existing, newName, flags);
}

win::BOOL Win32Kernel32::DosDateTimeToFileTime(win::WORD dosDate, win::WORD dosTime,
                                               win::FILETIME* fileTime) {
  return ::DosDateTimeToFileTime(dosDate, dosTime, AsReal<::FILETIME>(fileTime));
}

win::BOOL Win32Kernel32::FileTimeToSystemTime(const win::FILETIME* fileTime,
                                              win::SYSTEMTIME* systemTime) {
  return ::FileTimeToSystemTime(AsReal<const ::FILETIME>(fileTime),
                                AsReal<::SYSTEMTIME>(systemTime));
}

win::UINT Win32Kernel32::GetACP() {
  return ::GetACP();
}

int Win32Kernel32::MultiByteToWideChar(win::UINT codePage, win::DWORD flags, win::LPCSTR text,
                                       int length, win::WCHAR* wide, int wideSize) {
  return ::MultiByteToWideChar(codePage, flags, text, length, AsReal<::WCHAR>(wide), wideSize);
}

int Win32Kernel32::WideCharToMultiByte(win::UINT codePage, win::DWORD flags, const win::WCHAR* wide,
                                       int length, win::LPSTR text, int size,
                                       win::LPCSTR defaultChar, win::BOOL* usedDefault) {
  return ::WideCharToMultiByte(codePage, flags, AsReal<const ::WCHAR>(wide), length, text, size,
                               defaultChar, usedDefault);
}

void* Win32Kernel32::LocalFree(void* memory) {
  return ::LocalFree(memory);
}

win::HANDLE Win32Kernel32::GetCurrentThread() {
  return SeamHandle(::GetCurrentThread());
}

win::DWORD Win32Kernel32::GetLastError() {
  return ::GetLastError();
}

void Win32Kernel32::SetLastError(win::DWORD error) {
  ::SetLastError(error);
}

void Win32Kernel32::ExitProcess(win::UINT exitCode) {
  ::ExitProcess(exitCode);
}

}  // namespace lyn::win32
