#include <algorithm>

#include "security/cntfs.h"
#include "sysinfo/ansi_text.h"

namespace lyn {

namespace {

// Generic all with all standard rights.
constexpr win::DWORD kFullControl = win::GENERIC_ALL | win::STANDARD_RIGHTS_ALL;
constexpr win::DWORD kNameSize = 255;
constexpr win::DWORD kNotAFolder = 4;

}  // namespace

std::string cNTFS::GetLocaleForUsers() {
  win::Advapi32Security& security = platform_.advapi32Security;
  const win::SID_IDENTIFIER_AUTHORITY ntAuthority = {{0, 0, 0, 0, 0, 5}};
  win::PSID users = nullptr;
  if (!security.AllocateAndInitializeSid(&ntAuthority, 2, win::SECURITY_BUILTIN_DOMAIN_RID,
                                         win::DOMAIN_ALIAS_RID_USERS, 0, 0, 0, 0, 0, 0, &users)) {
    return "";
  }
  char name[kNameSize] = {};
  char domain[kNameSize] = {};
  win::DWORD nameSize = kNameSize;
  win::DWORD domainSize = kNameSize;
  win::SID_NAME_USE use{};
  const bool found = security.LookupAccountSidA(nullptr, users, name, &nameSize, domain,
                                                &domainSize, &use) != win::FALSE;
  security.FreeSid(users);
  if (!found) return "";
  return FromAnsi(platform_.kernel32, std::string(name, std::find(name, name + kNameSize, '\0')));
}

win::DWORD cNTFS::FreeFolder(const std::string& FolderPath) {
  return IsFolder(FolderPath) ? GrantLocalUsers(FolderPath, 1) : kNotAFolder;
}

win::DWORD cNTFS::FreeKeyLM(const std::string& sKey) {
  return GrantLocalUsers("MACHINE\\" + sKey, 2);
}

win::DWORD cNTFS::GrantLocalUsers(const std::string& objectName, int objectKind) {
  nameLocalUsers = GetLocaleForUsers();
  if (objectKind != 1 && objectKind != 2) return 0;
  const win::SE_OBJECT_TYPE type = objectKind == 1 ? win::SE_FILE_OBJECT : win::SE_REGISTRY_KEY;
  win::Advapi32Security& security = platform_.advapi32Security;
  std::string name = ToAnsi(platform_.kernel32, objectName);
  win::PACL oldAcl = nullptr;
  win::PACL newAcl = nullptr;
  win::PSECURITY_DESCRIPTOR descriptor = nullptr;
  const win::DWORD status = [&]() -> win::DWORD {
    if (const win::DWORD error =
            security.GetNamedSecurityInfoA(name.c_str(), type, win::DACL_SECURITY_INFORMATION,
                                           nullptr, nullptr, &oldAcl, nullptr, &descriptor)) {
      return error;
    }
    std::string trustee = ToAnsi(platform_.kernel32, nameLocalUsers);
    win::EXPLICIT_ACCESS_A access{};
    security.BuildExplicitAccessWithNameA(&access, trustee.data(), kFullControl, win::SET_ACCESS,
                                          win::SUB_CONTAINERS_AND_OBJECTS_INHERIT);
    if (const win::DWORD error = security.SetEntriesInAclA(1, &access, oldAcl, &newAcl)) {
      return error;
    }
    return security.SetNamedSecurityInfoA(name.data(), type, win::DACL_SECURITY_INFORMATION,
                                          nullptr, nullptr, newAcl, nullptr);
  }();
  if (newAcl != nullptr) platform_.kernel32.LocalFree(newAcl);
  if (descriptor != nullptr) platform_.kernel32.LocalFree(descriptor);
  return status;
}

bool cNTFS::IsFolder(const std::string& path) {
  platform_.widgets.DoEvents();
  const win::DWORD attributes =
      platform_.kernel32.GetFileAttributesA(ToAnsi(platform_.kernel32, path).c_str());
  return attributes != win::INVALID_FILE_ATTRIBUTES &&
         (attributes & win::FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace lyn
