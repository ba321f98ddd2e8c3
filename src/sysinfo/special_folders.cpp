#include "sysinfo/special_folders.h"

#include <algorithm>

#include "sysinfo/ansi_text.h"

namespace lyn {
namespace {

std::string TrimBlanks(const std::string& text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::string BeforeFirstNul(const char* text, std::size_t size) {
  return std::string(text, std::find(text, text + size, '\0'));
}

// Both directory queries: keep the length the call returns, trim blanks.
template <typename Query>
std::string DirectoryQuery(Platform& platform, Query query) {
  std::string buffer(256, ' ');
  const win::UINT length = query(buffer.data(), 256);
  const std::string kept = buffer.substr(0, std::min<win::UINT>(length, 256));
  return TrimBlanks(FromAnsi(platform.kernel32, kept));
}

}  // namespace

std::string GetSystemDir(Platform& platform) {
  return DirectoryQuery(platform, [&](char* buffer, win::UINT size) {
    return platform.kernel32.GetSystemDirectoryA(buffer, size);
  });
}

std::string GetWindowsDir(Platform& platform) {
  return DirectoryQuery(platform, [&](char* buffer, win::UINT size) {
    return platform.kernel32.GetWindowsDirectoryA(buffer, size);
  });
}

std::string GetTempDir(Platform& platform) {
  std::string buffer(256, ' ');
  platform.kernel32.GetTempPathA(256, buffer.data());
  const std::string first255 = buffer.substr(0, 255);
  const auto nul = first255.find('\0');
  if (nul == std::string::npos) return {};
  return FromAnsi(platform.kernel32, first255.substr(0, nul));
}

std::string GetSpecialFolderPath(Platform& platform, win::LONG csidl) {
  char buffer[win::MAX_PATH] = {};
  if (platform.shell32.SHGetFolderPathA(0, csidl, 0, 0, buffer) != win::S_OK) return "NO";
  return FromAnsi(platform.kernel32, BeforeFirstNul(buffer, sizeof(buffer)));
}

}  // namespace lyn
