#include "security/cntfs.h"

#include <algorithm>
#include <cctype>
#include <string>

namespace lyn {

bool cNTFS::IsNTFS() {
  char volumeName[256] = {};
  char fileSystemName[256] = {};
  win::DWORD serial = 0;
  win::DWORD maxComponent = 0;
  win::DWORD flags = 0;
  std::string name;
  if (platform_.kernel32.GetVolumeInformationA(nullptr, volumeName, 256, &serial, &maxComponent,
                                               &flags, fileSystemName, 256)) {
    name.assign(fileSystemName, std::find(fileSystemName, fileSystemName + 256, '\0'));
  }
  std::transform(name.begin(), name.end(), name.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return name == "NTFS";
}

}  // namespace lyn
