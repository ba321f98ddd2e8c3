#include "sysinfo/file_presence.h"

#include <string>

#include "sysinfo/ansi_text.h"

namespace lyn {
namespace {

constexpr win::DWORD kNotNormal =
    win::FILE_ATTRIBUTE_HIDDEN | win::FILE_ATTRIBUTE_SYSTEM | win::FILE_ATTRIBUTE_DIRECTORY;

}  // namespace

bool FileExists(Platform& platform, std::string_view path) {
  win::Kernel32& kernel32 = platform.kernel32;
  const std::string pattern = ToAnsi(kernel32, path);
  win::WIN32_FIND_DATAA entry{};
  const win::HANDLE search = kernel32.FindFirstFileA(pattern.c_str(), &entry);
  if (search == win::INVALID_HANDLE_VALUE) return false;
  bool found = false;
  do {
    found = (entry.dwFileAttributes & kNotNormal) == 0;
  } while (!found && kernel32.FindNextFileA(search, &entry));
  kernel32.FindClose(search);
  return found;
}

}  // namespace lyn
