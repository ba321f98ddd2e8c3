#include "platform/win32/advapi32_security_win32.h"

#include <windows.h>
// windows.h first: the access-control header needs its types.
#include <aclapi.h>

namespace lyn::win32 {

namespace {

static_assert(sizeof(win::EXPLICIT_ACCESS_A) == sizeof(::EXPLICIT_ACCESS_A));
static_assert(sizeof(win::TRUSTEE_A) == sizeof(::TRUSTEE_A));
static_assert(sizeof(win::GENERIC_MAPPING) == sizeof(::GENERIC_MAPPING));
static_assert(sizeof(win::SID_IDENTIFIER_AUTHORITY) == sizeof(::SID_IDENTIFIER_AUTHORITY));
static_assert(sizeof(win::PRIVILEGE_SET) == sizeof(::PRIVILEGE_SET));

::HANDLE Native(win::HANDLE handle) {
  return reinterpret_cast<::HANDLE>(handle);
}

// The seam's records are the published ones, declared again.
template <typename Native, typename Ours>
Native* As(Ours* record) {
  return reinterpret_cast<Native*>(record);
}

}  // namespace

win::BOOL Win32Advapi32Security::GetFileSecurityA(win::LPCSTR fileName,
                                                  win::SECURITY_INFORMATION requested,
                                                  win::PSECURITY_DESCRIPTOR descriptor,
                                                  win::DWORD length, win::DWORD* lengthNeeded) {
  return ::GetFileSecurityA(fileName, requested, descriptor, length, As<DWORD>(lengthNeeded));
}

win::BOOL Win32Advapi32Security::GetSecurityDescriptorOwner(win::PSECURITY_DESCRIPTOR descriptor,
                                                            win::PSID* owner,
                                                            win::BOOL* ownerDefaulted) {
  return ::GetSecurityDescriptorOwner(descriptor, owner, As<BOOL>(ownerDefaulted));
}

win::BOOL Win32Advapi32Security::LookupAccountSidA(win::LPCSTR systemName, win::PSID sid,
                                                   win::LPSTR name, win::DWORD* nameSize,
                                                   win::LPSTR domain, win::DWORD* domainSize,
                                                   win::SID_NAME_USE* use) {
  return ::LookupAccountSidA(systemName, sid, name, As<DWORD>(nameSize), domain,
                             As<DWORD>(domainSize), As<::SID_NAME_USE>(use));
}

win::BOOL Win32Advapi32Security::AllocateAndInitializeSid(
    const win::SID_IDENTIFIER_AUTHORITY* authority, win::BYTE count, win::DWORD sub0,
    win::DWORD sub1, win::DWORD sub2, win::DWORD sub3, win::DWORD sub4, win::DWORD sub5,
    win::DWORD sub6, win::DWORD sub7, win::PSID* sid) {
  return ::AllocateAndInitializeSid(
      const_cast<::SID_IDENTIFIER_AUTHORITY*>(
          reinterpret_cast<const ::SID_IDENTIFIER_AUTHORITY*>(authority)),
      count, sub0, sub1, sub2, sub3, sub4, sub5, sub6, sub7, sid);
}

void* Win32Advapi32Security::FreeSid(win::PSID sid) {
  return ::FreeSid(sid);
}

win::BOOL Win32Advapi32Security::ImpersonateSelf(win::SECURITY_IMPERSONATION_LEVEL level) {
  return ::ImpersonateSelf(static_cast<::SECURITY_IMPERSONATION_LEVEL>(level));
}

win::BOOL Win32Advapi32Security::OpenThreadToken(win::HANDLE thread, win::DWORD desiredAccess,
                                                 win::BOOL openAsSelf, win::HANDLE* token) {
  ::HANDLE opened = nullptr;
  const BOOL result = ::OpenThreadToken(Native(thread), desiredAccess, openAsSelf, &opened);
  *token = reinterpret_cast<win::HANDLE>(opened);
  return result;
}

void Win32Advapi32Security::MapGenericMask(win::DWORD* accessMask,
                                           const win::GENERIC_MAPPING* mapping) {
  ::MapGenericMask(As<DWORD>(accessMask), const_cast<::GENERIC_MAPPING*>(
                                              reinterpret_cast<const ::GENERIC_MAPPING*>(mapping)));
}

win::BOOL Win32Advapi32Security::AccessCheck(win::PSECURITY_DESCRIPTOR descriptor,
                                             win::HANDLE token, win::DWORD desiredAccess,
                                             const win::GENERIC_MAPPING* mapping,
                                             win::PRIVILEGE_SET* privileges,
                                             win::DWORD* privilegesLength,
                                             win::DWORD* grantedAccess, win::BOOL* accessStatus) {
  return ::AccessCheck(
      descriptor, Native(token), desiredAccess,
      const_cast<::GENERIC_MAPPING*>(reinterpret_cast<const ::GENERIC_MAPPING*>(mapping)),
      As<::PRIVILEGE_SET>(privileges), As<DWORD>(privilegesLength), As<DWORD>(grantedAccess),
      As<BOOL>(accessStatus));
}

win::BOOL Win32Advapi32Security::RevertToSelf() {
  return ::RevertToSelf();
}

win::DWORD Win32Advapi32Security::GetNamedSecurityInfoA(win::LPCSTR objectName,
                                                        win::SE_OBJECT_TYPE type,
                                                        win::SECURITY_INFORMATION requested,
                                                        win::PSID* owner, win::PSID* group,
                                                        win::PACL* dacl, win::PACL* sacl,
                                                        win::PSECURITY_DESCRIPTOR* descriptor) {
  return ::GetNamedSecurityInfoA(objectName, static_cast<::SE_OBJECT_TYPE>(type), requested, owner,
                                 group, As<::PACL>(dacl), As<::PACL>(sacl), descriptor);
}

void Win32Advapi32Security::BuildExplicitAccessWithNameA(win::EXPLICIT_ACCESS_A* access,
                                                         win::LPSTR trusteeName,
                                                         win::DWORD permissions,
                                                         win::ACCESS_MODE mode,
                                                         win::DWORD inheritance) {
  ::BuildExplicitAccessWithNameA(As<::EXPLICIT_ACCESS_A>(access), trusteeName, permissions,
                                 static_cast<::ACCESS_MODE>(mode), inheritance);
}

win::DWORD Win32Advapi32Security::SetEntriesInAclA(win::DWORD count,
                                                   win::EXPLICIT_ACCESS_A* entries,
                                                   win::PACL oldAcl, win::PACL* newAcl) {
  return ::SetEntriesInAclA(count, As<::EXPLICIT_ACCESS_A>(entries), static_cast<::PACL>(oldAcl),
                            As<::PACL>(newAcl));
}

win::DWORD Win32Advapi32Security::SetNamedSecurityInfoA(win::LPSTR objectName,
                                                        win::SE_OBJECT_TYPE type,
                                                        win::SECURITY_INFORMATION information,
                                                        win::PSID owner, win::PSID group,
                                                        win::PACL dacl, win::PACL sacl) {
  return ::SetNamedSecurityInfoA(objectName, static_cast<::SE_OBJECT_TYPE>(type), information,
                                 owner, group, static_cast<::PACL>(dacl),
                                 static_cast<::PACL>(sacl));
}

}  // namespace lyn::win32
