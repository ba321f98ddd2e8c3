#include "engine/install_checks.h"

#include <string>
#include <vector>

#include "sysinfo/ansi_text.h"
#include "sysinfo/file_presence.h"

namespace lyn {
namespace {

constexpr win::DWORD kHiddenOrSystem = win::FILE_ATTRIBUTE_HIDDEN | win::FILE_ATTRIBUTE_SYSTEM;

// The entries a directory search for the pattern returns, "." and ".." left out.
std::vector<win::WIN32_FIND_DATAA> Search(Platform& platform, std::string_view pattern) {
  win::Kernel32& kernel32 = platform.kernel32;
  const std::string ansi = ToAnsi(kernel32, pattern);
  std::vector<win::WIN32_FIND_DATAA> entries;
  win::WIN32_FIND_DATAA entry{};
  const win::HANDLE search = kernel32.FindFirstFileA(ansi.c_str(), &entry);
  if (search == win::INVALID_HANDLE_VALUE) return entries;
  do {
    const std::string name = entry.cFileName;
    if (name != "." && name != "..") entries.push_back(entry);
  } while (kernel32.FindNextFileA(search, &entry));
  kernel32.FindClose(search);
  return entries;
}

}  // namespace

InstallCheck CheckInstalled(Platform& platform, std::string_view folder) {
  if (FolderMissing(platform, folder)) return kNoFolder;
  const std::string base(folder);
  if (FileExists(platform, base + "\\LYN.exe") && FileExists(platform, base + "\\ssvd.dtb")) {
    return kInstalled;
  }
  return kFolderOnly;
}

bool FolderMissing(Platform& platform, std::string_view path) {
  for (const win::WIN32_FIND_DATAA& entry : Search(platform, path)) {
    if ((entry.dwFileAttributes & kHiddenOrSystem) == 0) return false;
  }
  return true;
}

bool FileMissing(Platform& platform, std::string_view path) {
  return !FileExists(platform, path);
}

bool DeleteFilesIn(Platform& platform, std::string_view folder) {
  const std::string base(folder);
  for (const win::WIN32_FIND_DATAA& entry : Search(platform, base + "\\*.*")) {
    if ((entry.dwFileAttributes & win::FILE_ATTRIBUTE_DIRECTORY) != 0) continue;
    const std::string path = ToAnsi(platform.kernel32, base) + "\\" + entry.cFileName;
    if (!platform.kernel32.DeleteFileA(path.c_str())) return false;
  }
  return true;
}

bool PrepareTempFolder(Platform& platform, std::string_view folder, win::HWND owner) {
  if (FolderMissing(platform, folder)) return true;
  if (!DeleteFilesIn(platform, folder)) {
    platform.user32.MessageBoxA(owner,
                                "Unable to continue.  Close all other\r\nprograms and try again.",
                                "System Files/Folders in Use", win::MB_OK | win::MB_ICONSTOP);
    platform.kernel32.ExitProcess(0);
  }
  return false;
}

}  // namespace lyn
