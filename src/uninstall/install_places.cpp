#include "uninstall/install_places.h"

#include "sysinfo/special_folders.h"
#include "uninstall/path_names.h"

namespace lyn::uninstall {

InstallPlaces InstallPlaces::Find(Platform& platform) {
  InstallPlaces places;
  places.windows = GetWindowsDir(platform);
  places.system = GetSystemDir(platform);
  places.dao =
      GetSpecialFolderPath(platform, win::CSIDL_PROGRAM_FILES_COMMON) + "\\Microsoft Shared\\DAO";
  places.programFiles = GetSpecialFolderPath(platform, win::CSIDL_PROGRAM_FILES);
  places.commonPrograms = GetSpecialFolderPath(platform, win::CSIDL_COMMON_PROGRAMS);
  places.desktop = GetSpecialFolderPath(platform, win::CSIDL_DESKTOP);
  places.setupTemp = GetTempDir(platform) + "LYNSetup";
  places.owned = OwnedFolders::Find(platform);
  return places;
}

bool InstallPlaces::IsProgramFolder(std::string_view folder) const {
  if (!IsAbsolutePath(folder)) return false;
  const std::string_view name = ChildName(folder, programFiles);
  if (SameName(name, "LYN")) return true;
  // "LYN" and a two-digit number from 01 to 99.
  return name.size() == 5 && SameName(name.substr(0, 3), "LYN") && name[3] >= '0' &&
         name[3] <= '9' && name[4] >= '0' && name[4] <= '9' && name.substr(3) != "00";
}

std::string InstallPlaces::ProgramGroup(std::string_view programFolder) const {
  return commonPrograms + "\\" + std::string(LastName(programFolder));
}

}  // namespace lyn::uninstall
