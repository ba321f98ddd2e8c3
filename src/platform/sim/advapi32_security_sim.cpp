#include "platform/sim/advapi32_security_sim.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "platform/sim/last_error.h"
#include "platform/sim/security/accounts.h"

namespace lyn::sim {
using namespace lyn::win;

namespace {

constexpr HANDLE kCurrentThread = static_cast<HANDLE>(-2);
constexpr HANDLE kThreadToken = 0x7004;
constexpr ACCESS_MASK kGenericRights = GENERIC_READ | GENERIC_WRITE | GENERIC_EXECUTE | GENERIC_ALL;

// A copy of `bytes` in memory the caller frees with LocalFree or FreeSid.
std::uint8_t* Allocated(const std::vector<std::uint8_t>& bytes) {
  auto* memory = static_cast<std::uint8_t*>(std::malloc(bytes.size()));
  if (memory != nullptr) std::memcpy(memory, bytes.data(), bytes.size());
  return memory;
}

const std::uint8_t* Bytes(const void* pointer) {
  return static_cast<const std::uint8_t*>(pointer);
}

// The whole of a descriptor in memory: its parts follow its header.
std::optional<Descriptor> ReadDescriptor(const void* pointer) {
  const auto layout = LayoutOf(Bytes(pointer));
  if (!layout) return std::nullopt;
  std::size_t size = kDescriptorHeaderSize;
  for (const std::uint32_t sidAt : {layout->owner, layout->group}) {
    if (sidAt == 0) continue;
    const auto count = Bytes(pointer)[sidAt + 1];
    size = std::max<std::size_t>(size, sidAt + 8 + 4 * std::size_t{count});
  }
  if (layout->dacl != 0)
    size = std::max(size, layout->dacl + AclSize(Bytes(pointer) + layout->dacl));
  return DescriptorFromBytes(Bytes(pointer), size);
}

std::optional<Sid> ReadSid(const void* pointer) {
  if (pointer == nullptr) return std::nullopt;
  return SidFromBytes(Bytes(pointer), 8 + 4 * std::size_t{Bytes(pointer)[1]});
}

std::optional<Acl> ReadAcl(const void* pointer) {
  return AclFromBytes(Bytes(pointer), AclSize(Bytes(pointer)));
}

}  // namespace

DWORD SimAdvapi32Security::ExistingObject(LPCSTR name, SE_OBJECT_TYPE type,
                                          SecuredObject& object) const {
  if (name == nullptr || (type != SE_FILE_OBJECT && type != SE_REGISTRY_KEY)) {
    return ERROR_INVALID_PARAMETER;
  }
  const ObjectKind kind = type == SE_FILE_OBJECT ? ObjectKind::File : ObjectKind::RegistryKey;
  try {
    object = model_.Find(kind, model_.machine().AnsiToUtf8(name));
  } catch (const StateError&) {
    throw;  // damage in the store is not a bad name: the entry point's Guarded reports it
  } catch (const MachineError&) {
    return type == SE_FILE_OBJECT ? ERROR_PATH_NOT_FOUND : ERROR_FILE_NOT_FOUND;
  }
  return object.exists ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
}

BOOL SimAdvapi32Security::GetFileSecurityA(LPCSTR fileName, SECURITY_INFORMATION requested,
                                           PSECURITY_DESCRIPTOR descriptor, DWORD length,
                                           DWORD* lengthNeeded) {
  return Guarded(FALSE, [&]() -> BOOL {
    if (fileName == nullptr || lengthNeeded == nullptr) return Fail(ERROR_INVALID_PARAMETER, FALSE);
    SecuredObject object;
    try {
      object = model_.Find(ObjectKind::File, model_.machine().AnsiToUtf8(fileName));
    } catch (const StateError&) {
      throw;  // damage in the store is not a bad path: Guarded reports it
    } catch (const MachineError&) {
      return Fail(ERROR_PATH_NOT_FOUND, FALSE);
    }
    if (!object.exists) return Fail(ERROR_FILE_NOT_FOUND, FALSE);
    // Reading an owner, group or list takes the right to read the descriptor.
    if (model_.UserAccess(object, READ_CONTROL) == 0) return Fail(ERROR_ACCESS_DENIED, FALSE);
    const std::vector<std::uint8_t> bytes = DescriptorBytes(model_.DescriptorOf(object), requested);
    *lengthNeeded = static_cast<DWORD>(bytes.size());
    if (length < bytes.size() || descriptor == nullptr)
      return Fail(ERROR_INSUFFICIENT_BUFFER, FALSE);
    std::memcpy(descriptor, bytes.data(), bytes.size());
    return TRUE;
  });
}

BOOL SimAdvapi32Security::GetSecurityDescriptorOwner(PSECURITY_DESCRIPTOR descriptor, PSID* owner,
                                                     BOOL* ownerDefaulted) {
  const auto layout = descriptor == nullptr ? std::nullopt : LayoutOf(Bytes(descriptor));
  if (!layout || owner == nullptr || ownerDefaulted == nullptr) {
    return Fail(ERROR_INVALID_SECURITY_DESCR, FALSE);
  }
  *owner = layout->owner == 0 ? nullptr : static_cast<std::uint8_t*>(descriptor) + layout->owner;
  *ownerDefaulted = FALSE;
  return TRUE;
}

BOOL SimAdvapi32Security::LookupAccountSidA(LPCSTR, PSID sid, LPSTR name, DWORD* nameSize,
                                            LPSTR domain, DWORD* domainSize, SID_NAME_USE* use) {
  return Guarded(FALSE, [&]() -> BOOL {
    const auto identifier = ReadSid(sid);
    if (!identifier) return Fail(ERROR_INVALID_SID, FALSE);
    if (nameSize == nullptr || domainSize == nullptr) return Fail(ERROR_INVALID_PARAMETER, FALSE);
    const auto account = FindAccount(model_.machine().profile(), *identifier);
    if (!account) return Fail(ERROR_NONE_MAPPED, FALSE);
    const std::string accountName = model_.machine().Utf8ToAnsi(account->name);
    const std::string domainName = model_.machine().Utf8ToAnsi(account->domain);
    if (*nameSize <= accountName.size() || *domainSize <= domainName.size() || name == nullptr ||
        domain == nullptr) {
      *nameSize = static_cast<DWORD>(accountName.size() + 1);
      *domainSize = static_cast<DWORD>(domainName.size() + 1);
      return Fail(ERROR_INSUFFICIENT_BUFFER, FALSE);
    }
    std::memcpy(name, accountName.c_str(), accountName.size() + 1);
    std::memcpy(domain, domainName.c_str(), domainName.size() + 1);
    *nameSize = static_cast<DWORD>(accountName.size());
    *domainSize = static_cast<DWORD>(domainName.size());
    if (use != nullptr) *use = account->use;
    return TRUE;
  });
}

BOOL SimAdvapi32Security::AllocateAndInitializeSid(const SID_IDENTIFIER_AUTHORITY* authority,
                                                   BYTE count, DWORD sub0, DWORD sub1, DWORD sub2,
                                                   DWORD sub3, DWORD sub4, DWORD sub5, DWORD sub6,
                                                   DWORD sub7, PSID* sid) {
  if (authority == nullptr || sid == nullptr || count == 0 || count > 8) {
    return Fail(ERROR_INVALID_PARAMETER, FALSE);
  }
  Sid identifier;
  for (const BYTE byte : authority->Value)
    identifier.authority = (identifier.authority << 8) | byte;
  const DWORD subs[] = {sub0, sub1, sub2, sub3, sub4, sub5, sub6, sub7};
  identifier.subAuthorities.assign(subs, subs + count);
  *sid = Allocated(SidBytes(identifier));
  return *sid != nullptr ? TRUE : Fail(ERROR_NOT_ENOUGH_MEMORY, FALSE);
}

void* SimAdvapi32Security::FreeSid(PSID sid) {
  std::free(sid);
  return nullptr;
}

BOOL SimAdvapi32Security::ImpersonateSelf(SECURITY_IMPERSONATION_LEVEL level) {
  if (level < SecurityAnonymous || level > SecurityDelegation) {
    return Fail(ERROR_INVALID_PARAMETER, FALSE);
  }
  impersonating_ = true;
  return TRUE;
}

BOOL SimAdvapi32Security::OpenThreadToken(HANDLE thread, DWORD, BOOL, HANDLE* token) {
  if (thread != kCurrentThread || token == nullptr) return Fail(ERROR_INVALID_HANDLE, FALSE);
  if (!impersonating_) return Fail(ERROR_NO_TOKEN, FALSE);
  *token = kThreadToken;
  return TRUE;
}

void SimAdvapi32Security::MapGenericMask(DWORD* accessMask, const GENERIC_MAPPING* mapping) {
  *accessMask = MapGeneric(*accessMask, *mapping);
}

BOOL SimAdvapi32Security::AccessCheck(PSECURITY_DESCRIPTOR descriptor, HANDLE token,
                                      DWORD desiredAccess, const GENERIC_MAPPING* mapping,
                                      PRIVILEGE_SET* privileges, DWORD* privilegesLength,
                                      DWORD* grantedAccess, BOOL* accessStatus) {
  return Guarded(FALSE, [&]() -> BOOL {
    if (token != kThreadToken) return Fail(ERROR_INVALID_HANDLE, FALSE);
    if (!impersonating_) return Fail(ERROR_NO_IMPERSONATION_TOKEN, FALSE);
    if (mapping == nullptr || grantedAccess == nullptr || accessStatus == nullptr ||
        privilegesLength == nullptr) {
      return Fail(ERROR_INVALID_PARAMETER, FALSE);
    }
    if ((desiredAccess & kGenericRights) != 0) return Fail(ERROR_GENERIC_NOT_MAPPED, FALSE);
    const auto parsed = descriptor == nullptr ? std::nullopt : ReadDescriptor(descriptor);
    if (!parsed || !parsed->owner || !parsed->group) {
      return Fail(ERROR_INVALID_SECURITY_DESCR, FALSE);
    }
    if (*privilegesLength < sizeof(PRIVILEGE_SET) - sizeof(LUID_AND_ATTRIBUTES)) {
      *privilegesLength = sizeof(PRIVILEGE_SET) - sizeof(LUID_AND_ATTRIBUTES);
      return Fail(ERROR_INSUFFICIENT_BUFFER, FALSE);
    }
    if (privileges != nullptr) privileges->PrivilegeCount = 0;
    *grantedAccess = GrantedAccess(*parsed, model_.token(), desiredAccess);
    *accessStatus = *grantedAccess != 0 || desiredAccess == 0 ? TRUE : FALSE;
    if (*accessStatus == FALSE) kernel32_.SetLastError(ERROR_ACCESS_DENIED);
    return TRUE;
  });
}

BOOL SimAdvapi32Security::RevertToSelf() {
  impersonating_ = false;
  return TRUE;
}

DWORD SimAdvapi32Security::GetNamedSecurityInfoA(LPCSTR objectName, SE_OBJECT_TYPE type,
                                                 SECURITY_INFORMATION requested, PSID* owner,
                                                 PSID* group, PACL* dacl, PACL* sacl,
                                                 PSECURITY_DESCRIPTOR* descriptor) {
  return Guarded([](DWORD error) { return error; },
                 [&]() -> DWORD {
                   if (descriptor == nullptr) return ERROR_INVALID_PARAMETER;
                   SecuredObject object;
                   if (const DWORD error = ExistingObject(objectName, type, object)) return error;
                   if (model_.UserAccess(object, READ_CONTROL) == 0) return ERROR_ACCESS_DENIED;
                   auto* bytes = Allocated(DescriptorBytes(model_.DescriptorOf(object), requested));
                   if (bytes == nullptr) return ERROR_NOT_ENOUGH_MEMORY;
                   const DescriptorLayout layout = *LayoutOf(bytes);
                   const auto part = [bytes](std::uint32_t offset) -> void* {
                     return offset == 0 ? nullptr : bytes + offset;
                   };
                   if (owner != nullptr) *owner = part(layout.owner);
                   if (group != nullptr) *group = part(layout.group);
                   if (dacl != nullptr) *dacl = part(layout.dacl);
                   if (sacl != nullptr) *sacl = nullptr;
                   *descriptor = bytes;
                   return ERROR_SUCCESS;
                 });
}

void SimAdvapi32Security::BuildExplicitAccessWithNameA(EXPLICIT_ACCESS_A* access, LPSTR trusteeName,
                                                       DWORD permissions, ACCESS_MODE mode,
                                                       DWORD inheritance) {
  access->grfAccessPermissions = permissions;
  access->grfAccessMode = mode;
  access->grfInheritance = inheritance;
  access->Trustee =
      TRUSTEE_A{nullptr, NO_MULTIPLE_TRUSTEE, TRUSTEE_IS_NAME, TRUSTEE_IS_UNKNOWN, trusteeName};
}

DWORD SimAdvapi32Security::SetEntriesInAclA(DWORD count, EXPLICIT_ACCESS_A* entries, PACL oldAcl,
                                            PACL* newAcl) {
  return Guarded(
      [](DWORD error) { return error; },
      [&]() -> DWORD {
        if (newAcl == nullptr || (count > 0 && entries == nullptr)) return ERROR_INVALID_PARAMETER;
        Acl acl;
        if (oldAcl != nullptr) {
          const auto old = ReadAcl(oldAcl);
          if (!old) return ERROR_INVALID_ACL;
          acl = *old;
        }
        for (DWORD i = 0; i < count; ++i) {
          const EXPLICIT_ACCESS_A& entry = entries[i];
          std::optional<Sid> sid;
          if (entry.Trustee.TrusteeForm == TRUSTEE_IS_SID) {
            sid = ReadSid(entry.Trustee.ptstrName);
          } else if (entry.Trustee.ptstrName != nullptr) {
            sid = SidOfAccountName(model_.machine().profile(),
                                   model_.machine().AnsiToUtf8(entry.Trustee.ptstrName));
          }
          if (!sid) return ERROR_NONE_MAPPED;
          const auto explicitFor = [&](const Ace& ace) {
            return ace.sid == *sid && (ace.flags & INHERITED_ACE) == 0;
          };
          if (entry.grfAccessMode == SET_ACCESS || entry.grfAccessMode == REVOKE_ACCESS) {
            std::erase_if(acl, explicitFor);
          }
          if (entry.grfAccessMode == REVOKE_ACCESS || entry.grfAccessMode == NOT_USED_ACCESS)
            continue;
          const bool deny = entry.grfAccessMode == DENY_ACCESS;
          const Ace ace{deny ? ACCESS_DENIED_ACE_TYPE : ACCESS_ALLOWED_ACE_TYPE,
                        static_cast<BYTE>(entry.grfInheritance & 0x0F), entry.grfAccessPermissions,
                        *sid};
          // Canonical order: explicit deny entries, explicit allow entries, then
          // the inherited ones.
          const auto at = std::find_if(acl.begin(), acl.end(), [deny](const Ace& a) {
            return (a.flags & INHERITED_ACE) != 0 || (deny && a.type == ACCESS_ALLOWED_ACE_TYPE);
          });
          acl.insert(at, ace);
        }
        *newAcl = Allocated(AclBytes(acl));
        return *newAcl != nullptr ? ERROR_SUCCESS : ERROR_NOT_ENOUGH_MEMORY;
      });
}

DWORD SimAdvapi32Security::SetNamedSecurityInfoA(LPSTR objectName, SE_OBJECT_TYPE type,
                                                 SECURITY_INFORMATION information, PSID, PSID,
                                                 PACL dacl, PACL) {
  return Guarded([](DWORD error) { return error; },
                 [&]() -> DWORD {
                   // Only access lists are written here; a NULL list is not supported.
                   if (information != DACL_SECURITY_INFORMATION || dacl == nullptr)
                     return ERROR_INVALID_PARAMETER;
                   SecuredObject object;
                   if (const DWORD error = ExistingObject(objectName, type, object)) return error;
                   if (!object.hasLists) return ERROR_NOT_SUPPORTED;
                   if (model_.UserAccess(object, WRITE_DAC) == 0) return ERROR_ACCESS_DENIED;
                   const auto acl = ReadAcl(dacl);
                   if (!acl) return ERROR_INVALID_ACL;
                   model_.SetDacl(object, *acl);
                   return ERROR_SUCCESS;
                 });
}

}  // namespace lyn::sim
