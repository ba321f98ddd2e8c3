// advapi32, security part: owners, accounts, access checks and access lists,
// with the published records and error codes. Security identifiers, access
// lists and security descriptors are opaque buffers in their published
// self-relative binary layout: the program receives them and passes them
// back, and frees those the platform allocated with LocalFree.
#pragma once

#include "platform/api/advapi32_registry.h"
#include "platform/api/win_types.h"

namespace lyn::win {

using PSID = void*;
using PACL = void*;
using PSECURITY_DESCRIPTOR = void*;
using SECURITY_INFORMATION = DWORD;
using ACCESS_MASK = DWORD;

// Error codes of the security operations.
constexpr DWORD ERROR_NO_TOKEN = 1008;
constexpr DWORD ERROR_NONE_MAPPED = 1332;
constexpr DWORD ERROR_INVALID_SID = 1337;
constexpr DWORD ERROR_INVALID_SECURITY_DESCR = 1338;
constexpr DWORD ERROR_INVALID_ACL = 1336;
constexpr DWORD ERROR_NO_IMPERSONATION_TOKEN = 1309;
constexpr DWORD ERROR_GENERIC_NOT_MAPPED = 1360;

// SECURITY_INFORMATION parts.
constexpr SECURITY_INFORMATION OWNER_SECURITY_INFORMATION = 0x1;
constexpr SECURITY_INFORMATION GROUP_SECURITY_INFORMATION = 0x2;
constexpr SECURITY_INFORMATION DACL_SECURITY_INFORMATION = 0x4;

// Access rights.
constexpr ACCESS_MASK GENERIC_EXECUTE = 0x20000000;
constexpr ACCESS_MASK GENERIC_ALL = 0x10000000;
constexpr ACCESS_MASK STANDARD_RIGHTS_ALL = 0x001F0000;
constexpr ACCESS_MASK FILE_ALL_ACCESS = 0x001F01FF;
constexpr DWORD TOKEN_QUERY = 0x0008;

// ACE types and inheritance flags.
constexpr BYTE ACCESS_ALLOWED_ACE_TYPE = 0;
constexpr BYTE ACCESS_DENIED_ACE_TYPE = 1;
constexpr BYTE OBJECT_INHERIT_ACE = 0x1;
constexpr BYTE CONTAINER_INHERIT_ACE = 0x2;
constexpr BYTE NO_PROPAGATE_INHERIT_ACE = 0x4;
constexpr BYTE INHERIT_ONLY_ACE = 0x8;
constexpr BYTE INHERITED_ACE = 0x10;
constexpr DWORD SUB_CONTAINERS_AND_OBJECTS_INHERIT = 3;
constexpr DWORD NO_INHERITANCE = 0;

struct SID_IDENTIFIER_AUTHORITY {
  BYTE Value[6];
};

constexpr DWORD SECURITY_BUILTIN_DOMAIN_RID = 32;
constexpr DWORD DOMAIN_ALIAS_RID_ADMINS = 544;
constexpr DWORD DOMAIN_ALIAS_RID_USERS = 545;

struct GENERIC_MAPPING {
  ACCESS_MASK GenericRead;
  ACCESS_MASK GenericWrite;
  ACCESS_MASK GenericExecute;
  ACCESS_MASK GenericAll;
};

struct LUID_AND_ATTRIBUTES {
  DWORD LowPart;
  LONG HighPart;
  DWORD Attributes;
};

struct PRIVILEGE_SET {
  DWORD PrivilegeCount;
  DWORD Control;
  LUID_AND_ATTRIBUTES Privilege[1];
};

enum SECURITY_IMPERSONATION_LEVEL {
  SecurityAnonymous = 0,
  SecurityIdentification = 1,
  SecurityImpersonation = 2,
  SecurityDelegation = 3
};

enum SE_OBJECT_TYPE { SE_UNKNOWN_OBJECT_TYPE = 0, SE_FILE_OBJECT = 1, SE_REGISTRY_KEY = 4 };

enum ACCESS_MODE {
  NOT_USED_ACCESS = 0,
  GRANT_ACCESS = 1,
  SET_ACCESS = 2,
  DENY_ACCESS = 3,
  REVOKE_ACCESS = 4
};

enum MULTIPLE_TRUSTEE_OPERATION { NO_MULTIPLE_TRUSTEE = 0 };
enum TRUSTEE_FORM { TRUSTEE_IS_SID = 0, TRUSTEE_IS_NAME = 1 };
enum TRUSTEE_TYPE { TRUSTEE_IS_UNKNOWN = 0, TRUSTEE_IS_USER = 1, TRUSTEE_IS_GROUP = 2 };

struct TRUSTEE_A {
  TRUSTEE_A* pMultipleTrustee;
  MULTIPLE_TRUSTEE_OPERATION MultipleTrusteeOperation;
  TRUSTEE_FORM TrusteeForm;
  TRUSTEE_TYPE TrusteeType;
  LPSTR ptstrName;
};

struct EXPLICIT_ACCESS_A {
  DWORD grfAccessPermissions;
  ACCESS_MODE grfAccessMode;
  DWORD grfInheritance;
  TRUSTEE_A Trustee;
};

enum SID_NAME_USE {
  SidTypeUser = 1,
  SidTypeGroup = 2,
  SidTypeDomain = 3,
  SidTypeAlias = 4,
  SidTypeWellKnownGroup = 5
};

class Advapi32Security {
 public:
  virtual ~Advapi32Security() = default;

  // Owners and accounts.
  virtual BOOL GetFileSecurityA(LPCSTR fileName, SECURITY_INFORMATION requested,
                                PSECURITY_DESCRIPTOR descriptor, DWORD length,
                                DWORD* lengthNeeded) = 0;
  virtual BOOL GetSecurityDescriptorOwner(PSECURITY_DESCRIPTOR descriptor, PSID* owner,
                                          BOOL* ownerDefaulted) = 0;
  virtual BOOL LookupAccountSidA(LPCSTR systemName, PSID sid, LPSTR name, DWORD* nameSize,
                                 LPSTR domain, DWORD* domainSize, SID_NAME_USE* use) = 0;
  // The identifier is freed with FreeSid.
  virtual BOOL AllocateAndInitializeSid(const SID_IDENTIFIER_AUTHORITY* authority, BYTE count,
                                        DWORD sub0, DWORD sub1, DWORD sub2, DWORD sub3, DWORD sub4,
                                        DWORD sub5, DWORD sub6, DWORD sub7, PSID* sid) = 0;
  virtual void* FreeSid(PSID sid) = 0;

  // Access checks on the current thread.
  virtual BOOL ImpersonateSelf(SECURITY_IMPERSONATION_LEVEL level) = 0;
  virtual BOOL OpenThreadToken(HANDLE thread, DWORD desiredAccess, BOOL openAsSelf,
                               HANDLE* token) = 0;
  virtual void MapGenericMask(DWORD* accessMask, const GENERIC_MAPPING* mapping) = 0;
  virtual BOOL AccessCheck(PSECURITY_DESCRIPTOR descriptor, HANDLE token, DWORD desiredAccess,
                           const GENERIC_MAPPING* mapping, PRIVILEGE_SET* privileges,
                           DWORD* privilegesLength, DWORD* grantedAccess, BOOL* accessStatus) = 0;
  virtual BOOL RevertToSelf() = 0;

  // Access lists of named objects. The descriptor and the new list are
  // allocated by the platform and freed with LocalFree; the list returned
  // through `dacl` points into the descriptor. The three return an error
  // code (ERROR_SUCCESS on success), not a BOOL.
  virtual DWORD GetNamedSecurityInfoA(LPCSTR objectName, SE_OBJECT_TYPE type,
                                      SECURITY_INFORMATION requested, PSID* owner, PSID* group,
                                      PACL* dacl, PACL* sacl, PSECURITY_DESCRIPTOR* descriptor) = 0;
  virtual void BuildExplicitAccessWithNameA(EXPLICIT_ACCESS_A* access, LPSTR trusteeName,
                                            DWORD permissions, ACCESS_MODE mode,
                                            DWORD inheritance) = 0;
  virtual DWORD SetEntriesInAclA(DWORD count, EXPLICIT_ACCESS_A* entries, PACL oldAcl,
                                 PACL* newAcl) = 0;
  virtual DWORD SetNamedSecurityInfoA(LPSTR objectName, SE_OBJECT_TYPE type,
                                      SECURITY_INFORMATION information, PSID owner, PSID group,
                                      PACL dacl, PACL sacl) = 0;
};

}  // namespace lyn::win
