#include "uninstall/owned_folders.h"

#include <algorithm>

#include "sysinfo/special_folders.h"
#include "uninstall/path_names.h"

namespace lyn::uninstall {
namespace {

// The shell numbers its special folders (CSIDL) from 0 upwards; the highest
// one defined is below this. A number without a folder on this system (or
// a virtual folder without a path) is simply not answered.
constexpr win::LONG kFolderNumbers = 0x40;

}  // namespace

OwnedFolders OwnedFolders::Find(Platform& platform) {
  std::vector<std::string> folders{GetWindowsDir(platform), GetSystemDir(platform)};
  std::string temp = GetTempDir(platform);
  if (temp.ends_with('\\')) temp.pop_back();
  folders.push_back(temp);
  for (win::LONG csidl = 0; csidl < kFolderNumbers; ++csidl) {
    folders.push_back(GetSpecialFolderPath(platform, csidl));
  }
  std::erase_if(folders, [](const std::string& folder) { return !IsAbsolutePath(folder); });
  return OwnedFolders(std::move(folders));
}

bool OwnedFolders::Owns(std::string_view folder) const {
  if (!IsAbsolutePath(folder)) return true;  // a drive's root, or not a folder path at all
  return std::any_of(folders_.begin(), folders_.end(), [&](const std::string& owned) {
    return SameName(owned, folder) || IsBelow(owned, folder);
  });
}

}  // namespace lyn::uninstall
