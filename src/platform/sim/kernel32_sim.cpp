// The version, processor, folder, volume, text and process operations of
// the emulated kernel32; the file operations are in kernel32_sim_files.cpp.
#include "platform/sim/kernel32_sim.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/sim/machine/case_fold.h"
#include "platform/sim/machine/code_page.h"

namespace lyn::sim {
namespace {

using namespace win;

constexpr DWORD ERROR_DIR_NOT_ROOT = 144;
constexpr DWORD ERROR_MORE_DATA = 234;
constexpr DWORD ERROR_NO_UNICODE_TRANSLATION = 1113;
constexpr UINT CP_THREAD_ACP = 3;
constexpr DWORD MB_ERR_INVALID_CHARS = 0x08;
constexpr HANDLE kCurrentProcess = static_cast<HANDLE>(-1);

// What each file system reports about itself.
struct VolumeTraits {
  DWORD flags;
  DWORD maxComponentLength;
};

VolumeTraits TraitsOf(const std::string& fileSystem) {
  const std::string name = FoldCase(fileSystem);
  if (name == "ntfs") {
    return {FILE_CASE_SENSITIVE_SEARCH | FILE_CASE_PRESERVED_NAMES | FILE_UNICODE_ON_DISK |
                FILE_PERSISTENT_ACLS | FILE_FILE_COMPRESSION | 0x000700E0,
            255};
  }
  if (name == "cdfs") {
    return {FILE_CASE_SENSITIVE_SEARCH | FILE_UNICODE_ON_DISK | FILE_READ_ONLY_VOLUME, 110};
  }
  if (name == "fat32" || name == "fat")
    return {FILE_CASE_PRESERVED_NAMES | FILE_UNICODE_ON_DISK, 255};
  return {FILE_CASE_PRESERVED_NAMES, 255};
}

void FillSystemInfo(SYSTEM_INFO* info, WORD architecture) {
  *info = SYSTEM_INFO{};
  info->wProcessorArchitecture = architecture;
  info->dwPageSize = 4096;
  info->lpMinimumApplicationAddress = reinterpret_cast<LPVOID>(std::uintptr_t{0x00010000});
  info->lpMaximumApplicationAddress = reinterpret_cast<LPVOID>(std::uintptr_t{0x7FFEFFFF});
  info->dwActiveProcessorMask = 1;
  info->dwNumberOfProcessors = 1;
  info->dwProcessorType = architecture == PROCESSOR_ARCHITECTURE_AMD64  ? 8664
                          : architecture == PROCESSOR_ARCHITECTURE_IA64 ? 2200
                                                                        : 586;
  info->dwAllocationGranularity = 0x10000;
  info->wProcessorLevel = 6;
}

// Copies text and its NUL when the buffer holds both; false otherwise.
bool CopyText(const std::string& text, LPSTR buffer, DWORD size) {
  if (buffer == nullptr || size <= text.size()) return false;
  std::memcpy(buffer, text.c_str(), text.size() + 1);
  return true;
}

std::string WithoutTrailingSeparator(std::string folder) {
  while (folder.size() > 3 && (folder.back() == '\\' || folder.back() == '/')) folder.pop_back();
  return folder;
}

}  // namespace

SimKernel32::SimKernel32(const Machine& machine, ProcessHost& host)
    : machine_(machine), host_(host) {}

BOOL SimKernel32::GetVersionExA(OSVERSIONINFOA* info) {
  if (info == nullptr) return Fail(ERROR_INVALID_PARAMETER, FALSE);
  const DWORD size = info->dwOSVersionInfoSize;
  if (size != sizeof(OSVERSIONINFOA) && size != sizeof(OSVERSIONINFOEXA)) {
    return Fail(ERROR_INSUFFICIENT_BUFFER, FALSE);
  }
  const Profile& p = machine_.profile();
  info->dwMajorVersion = p.dwMajorVersion;
  info->dwMinorVersion = p.dwMinorVersion;
  info->dwBuildNumber = p.dwBuildNumber;
  info->dwPlatformId = p.dwPlatformId;
  // The service-pack text fills the 128 characters; only a shorter one gets
  // its NUL.
  const std::string servicePack = machine_.Utf8ToAnsi(p.szCSDVersion);
  std::memset(info->szCSDVersion, 0, sizeof info->szCSDVersion);
  std::memcpy(info->szCSDVersion, servicePack.data(),
              std::min(servicePack.size(), sizeof info->szCSDVersion));
  if (size == sizeof(OSVERSIONINFOEXA)) {
    auto* extended = reinterpret_cast<OSVERSIONINFOEXA*>(info);
    extended->wServicePackMajor = p.wServicePackMajor;
    extended->wServicePackMinor = p.wServicePackMinor;
    extended->wSuiteMask = p.wSuiteMask;
    extended->wProductType = p.wProductType;
    extended->wReserved = 0;
  }
  return TRUE;
}

HANDLE SimKernel32::GetCurrentProcess() {
  return kCurrentProcess;
}

BOOL SimKernel32::IsWow64Process(HANDLE process, BOOL* wow64) {
  if (process != kCurrentProcess) return Fail(ERROR_INVALID_HANDLE, FALSE);
  if (wow64 == nullptr) return Fail(ERROR_INVALID_PARAMETER, FALSE);
  *wow64 = machine_.profile().Wow64 ? TRUE : FALSE;
  return TRUE;
}

void SimKernel32::GetSystemInfo(SYSTEM_INFO* info) {
  const Profile& p = machine_.profile();
  FillSystemInfo(info, p.Wow64 ? PROCESSOR_ARCHITECTURE_INTEL : p.wProcessorArchitecture);
}

void SimKernel32::GetNativeSystemInfo(SYSTEM_INFO* info) {
  FillSystemInfo(info, machine_.profile().wProcessorArchitecture);
}

BOOL SimKernel32::GetProductInfo(DWORD, DWORD, DWORD, DWORD, DWORD* productType) {
  if (productType == nullptr) return Fail(ERROR_INVALID_PARAMETER, FALSE);
  const Profile& p = machine_.profile();
  if (p.dwMajorVersion < 6) {
    *productType = 0;
    return FALSE;
  }
  *productType = p.GetProductInfo;
  return TRUE;
}

UINT SimKernel32::CopyFolder(const std::string& folder, LPSTR buffer, UINT size) {
  const std::string text = machine_.Utf8ToAnsi(folder);
  if (!CopyText(text, buffer, size)) return static_cast<UINT>(text.size() + 1);
  return static_cast<UINT>(text.size());
}

UINT SimKernel32::GetSystemDirectoryA(LPSTR buffer, UINT size) {
  return CopyFolder(WithoutTrailingSeparator(machine_.profile().SystemDirectory), buffer, size);
}

UINT SimKernel32::GetWindowsDirectoryA(LPSTR buffer, UINT size) {
  return CopyFolder(WithoutTrailingSeparator(machine_.profile().WindowsDirectory), buffer, size);
}

DWORD SimKernel32::GetTempPathA(DWORD size, LPSTR buffer) {
  std::string temp = machine_.profile().TempPath;
  if (temp.back() != '\\') temp += '\\';
  return CopyFolder(temp, buffer, size);
}

BOOL SimKernel32::GetVolumeInformationA(LPCSTR rootPath, LPSTR volumeName, DWORD volumeNameSize,
                                        DWORD* serialNumber, DWORD* maxComponentLength,
                                        DWORD* fileSystemFlags, LPSTR fileSystemName,
                                        DWORD fileSystemNameSize) {
  return Guarded(FALSE, [&]() -> BOOL {
    const Profile& p = machine_.profile();
    const WindowsPath current = ParseWindowsPath(p.CurrentDirectory, nullptr);
    char drive = current.drive;
    if (rootPath != nullptr) {
      // "X:\" names a root; "X:" too while X's current folder is its root.
      const std::string root = machine_.AnsiToUtf8(rootPath);
      const bool hasDrive =
          root.size() >= 2 && root[1] == ':' && std::isalpha(static_cast<unsigned char>(root[0]));
      if (!hasDrive) return Fail(ERROR_INVALID_NAME, FALSE);
      drive = static_cast<char>(std::toupper(static_cast<unsigned char>(root[0])));
      const bool bare = root.size() == 2;
      const bool slashed = root.size() == 3 && (root[2] == '\\' || root[2] == '/');
      if (bare && !(current.drive == drive && current.components.empty())) {
        return Fail(ERROR_INVALID_NAME, FALSE);
      }
      if (!bare && !slashed) {
        const char last = root.back();
        return Fail(last == '\\' || last == '/' ? ERROR_DIR_NOT_ROOT : ERROR_INVALID_NAME, FALSE);
      }
    }
    const auto found = p.drives.find(drive);
    if (found == p.drives.end()) return Fail(ERROR_PATH_NOT_FOUND, FALSE);
    const DriveVolume& volume = found->second;
    const std::string label = machine_.Utf8ToAnsi(volume.volumeName);
    const std::string fileSystem = machine_.Utf8ToAnsi(volume.fileSystem);
    if ((volumeName != nullptr && !CopyText(label, volumeName, volumeNameSize)) ||
        (fileSystemName != nullptr && !CopyText(fileSystem, fileSystemName, fileSystemNameSize))) {
      return Fail(ERROR_MORE_DATA, FALSE);
    }
    const VolumeTraits traits = TraitsOf(volume.fileSystem);
    if (serialNumber != nullptr) *serialNumber = volume.serialNumber;
    if (maxComponentLength != nullptr) *maxComponentLength = traits.maxComponentLength;
    if (fileSystemFlags != nullptr) *fileSystemFlags = traits.flags;
    return TRUE;
  });
}

UINT SimKernel32::GetACP() {
  return machine_.profile().AnsiCodePage;
}

int SimKernel32::MultiByteToWideChar(UINT codePage, DWORD flags, LPCSTR text, int length,
                                     char16_t* wide, int wideSize) {
  if (codePage == CP_ACP || codePage == CP_THREAD_ACP) codePage = GetACP();
  if (text == nullptr || length == 0 || length < -1 || wideSize < 0 ||
      (wideSize > 0 && wide == nullptr) || !CodePageKnown(codePage)) {
    return Fail(ERROR_INVALID_PARAMETER, 0);
  }
  // A length of -1 takes the text up to and including its NUL.
  const std::size_t count = length == -1 ? std::strlen(text) + 1 : static_cast<std::size_t>(length);
  const auto decoded =
      DecodeText(codePage, std::string_view(text, count), (flags & MB_ERR_INVALID_CHARS) != 0);
  if (!decoded) return Fail(ERROR_NO_UNICODE_TRANSLATION, 0);
  const int needed = static_cast<int>(decoded->size());
  if (wideSize == 0) return needed;
  if (needed > wideSize) return Fail(ERROR_INSUFFICIENT_BUFFER, 0);
  std::copy(decoded->begin(), decoded->end(), wide);
  return needed;
}

int SimKernel32::WideCharToMultiByte(UINT codePage, DWORD, const char16_t* wide, int length,
                                     LPSTR text, int size, LPCSTR defaultChar, BOOL* usedDefault) {
  if (codePage == CP_ACP || codePage == CP_THREAD_ACP) codePage = GetACP();
  const bool utf8 = codePage == CP_UTF8;
  if (wide == nullptr || length == 0 || length < -1 || size < 0 || (size > 0 && text == nullptr) ||
      (utf8 && (defaultChar != nullptr || usedDefault != nullptr)) || !CodePageKnown(codePage)) {
    return Fail(ERROR_INVALID_PARAMETER, 0);
  }
  std::size_t count = static_cast<std::size_t>(length);
  if (length == -1) count = std::char_traits<char16_t>::length(wide) + 1;
  const std::string fallback = utf8                     ? "\xEF\xBF\xBD"
                               : defaultChar != nullptr ? std::string(1, *defaultChar)
                                                        : "?";
  const auto encoded = EncodeText(codePage, std::u16string_view(wide, count), fallback);
  if (usedDefault != nullptr) *usedDefault = encoded->usedDefault ? TRUE : FALSE;
  const int needed = static_cast<int>(encoded->bytes.size());
  if (size == 0) return needed;
  if (needed > size) return Fail(ERROR_INSUFFICIENT_BUFFER, 0);
  std::memcpy(text, encoded->bytes.data(), encoded->bytes.size());
  return needed;
}

void* SimKernel32::LocalFree(void* memory) {
  // The machine's libraries allocate what the program frees with malloc.
  std::free(memory);
  return nullptr;
}

HANDLE SimKernel32::GetCurrentThread() {
  return static_cast<HANDLE>(-2);
}

DWORD SimKernel32::GetLastError() {
  return LastError();
}

void SimKernel32::SetLastError(DWORD error) {
  sim::SetLastError(error);
}

void SimKernel32::ExitProcess(UINT exitCode) {
  host_.EndProcess(exitCode);
  std::abort();  // the host broke its promise never to return
}

}  // namespace lyn::sim
