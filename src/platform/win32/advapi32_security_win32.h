// advapi32's security operations on real Windows: each call forwarded as it
// is, records passed through in their published layouts.
#pragma once

#include "platform/api/advapi32_security.h"

namespace lyn::win32 {

class Win32Advapi32Security : public win::Advapi32Security {
 public:
  win::BOOL GetFileSecurityA(win::LPCSTR fileName, win::SECURITY_INFORMATION requested,
                             win::PSECURITY_DESCRIPTOR descriptor, win::DWORD length,
                             win::DWORD* lengthNeeded) override;
  win::BOOL GetSecurityDescriptorOwner(win::PSECURITY_DESCRIPTOR descriptor, win::PSID* owner,
                                       win::BOOL* ownerDefaulted) override;
  win::BOOL LookupAccountSidA(win::LPCSTR systemName, win::PSID sid, win::LPSTR name,
                              win::DWORD* nameSize, win::LPSTR domain, win::DWORD* domainSize,
                              win::SID_NAME_USE* use) override;
  win::BOOL AllocateAndInitializeSid(const win::SID_IDENTIFIER_AUTHORITY* authority,
                                     win::BYTE count, win::DWORD sub0, win::DWORD sub1,
                                     win::DWORD sub2, win::DWORD sub3, win::DWORD sub4,
                                     win::DWORD sub5, win::DWORD sub6, win::DWORD sub7,
                                     win::PSID* sid) override;
  void* FreeSid(win::PSID sid) override;
  win::BOOL ImpersonateSelf(win::SECURITY_IMPERSONATION_LEVEL level) override;
  win::BOOL OpenThreadToken(win::HANDLE thread, win::DWORD desiredAccess, win::BOOL openAsSelf,
                            win::HANDLE* token) override;
  void MapGenericMask(win::DWORD* accessMask, const win::GENERIC_MAPPING* mapping) override;
  win::BOOL AccessCheck(win::PSECURITY_DESCRIPTOR descriptor, win::HANDLE token,
                        win::DWORD desiredAccess, const win::GENERIC_MAPPING* mapping,
                        win::PRIVILEGE_SET* privileges, win::DWORD* privilegesLength,
                        win::DWORD* grantedAccess, win::BOOL* accessStatus) override;
  win::BOOL RevertToSelf() override;
  win::DWORD GetNamedSecurityInfoA(win::LPCSTR objectName, win::SE_OBJECT_TYPE type,
                                   win::SECURITY_INFORMATION requested, win::PSID* owner,
                                   win::PSID* group, win::PACL* dacl, win::PACL* sacl,
                                   win::PSECURITY_DESCRIPTOR* descriptor) override;
  void BuildExplicitAccessWithNameA(win::EXPLICIT_ACCESS_A* access, win::LPSTR trusteeName,
                                    win::DWORD permissions, win::ACCESS_MODE mode,
                                    win::DWORD inheritance) override;
  win::DWORD SetEntriesInAclA(win::DWORD count, win::EXPLICIT_ACCESS_A* entries, win::PACL oldAcl,
                              win::PACL* newAcl) override;
  win::DWORD SetNamedSecurityInfoA(win::LPSTR objectName, win::SE_OBJECT_TYPE type,
                                   win::SECURITY_INFORMATION information, win::PSID owner,
                                   win::PSID group, win::PACL dacl, win::PACL sacl) override;
};

}  // namespace lyn::win32
