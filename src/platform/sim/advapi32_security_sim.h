// advapi32's security operations on the emulated machine: descriptors read
// from and written to its security model, accounts from its profile, access
// checks against the running program's token.
#pragma once

#include "platform/api/advapi32_security.h"
#include "platform/sim/kernel32_sim.h"
#include "platform/sim/security/security_model.h"

namespace lyn::sim {

class SimAdvapi32Security : public win::Advapi32Security {
 public:
  // Last errors are those of the machine's kernel32; access is checked
  // with the token of the product's program, or the one given.
  SimAdvapi32Security(const Machine& machine, SimKernel32& kernel32)
      : model_(machine), kernel32_(kernel32) {}
  SimAdvapi32Security(const Machine& machine, SimKernel32& kernel32, Token token)
      : model_(machine, std::move(token)), kernel32_(kernel32) {}

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

  const SecurityModel& model() const { return model_; }

 private:
  template <typename T>
  T Fail(win::DWORD error, T result) {
    kernel32_.SetLastError(error);
    return result;
  }
  // The existing object a name of the given type denotes, for the named
  // security calls: ERROR_SUCCESS, or the error they return (a type the
  // machine keeps no lists for is an invalid parameter).
  win::DWORD ExistingObject(win::LPCSTR name, win::SE_OBJECT_TYPE type,
                            SecuredObject& object) const;

  SecurityModel model_;
  SimKernel32& kernel32_;
  bool impersonating_ = false;
};

}  // namespace lyn::sim
