// The current user's token and the access check against an object's list:
// entries apply in order, inherit-only entries are skipped, a deny entry for
// any asked right refuses the request, and the owner may always read and
// change the list.
#pragma once

#include <vector>

#include "platform/api/advapi32_security.h"
#include "platform/sim/machine/profile.h"
#include "platform/sim/security/descriptor.h"

namespace lyn::sim {

constexpr win::ACCESS_MASK READ_CONTROL = 0x00020000;
constexpr win::ACCESS_MASK WRITE_DAC = 0x00040000;

// The identifiers a token holds.
struct Token {
  std::vector<Sid> sids;
  bool Holds(const Sid& sid) const;
};

// The profile user's token: the user, Users, Administrators when an
// administrator, Everyone, Authenticated Users.
Token UserToken(const Profile& profile);

// The rights of `desired` (generic rights already mapped) the token is
// granted: all of them, or 0.
win::ACCESS_MASK GrantedAccess(const Descriptor& descriptor, const Token& token,
                               win::ACCESS_MASK desired);

// The access mask with its generic rights replaced through the mapping.
win::ACCESS_MASK MapGeneric(win::ACCESS_MASK mask, const win::GENERIC_MAPPING& mapping);

// The files' and the registry keys' generic mappings.
constexpr win::GENERIC_MAPPING kFileMapping = {0x00120089, 0x00120116, 0x001200A0, 0x001F01FF};
constexpr win::GENERIC_MAPPING kKeyMapping = {0x00020019, 0x00020006, 0x00020019, 0x000F003F};

}  // namespace lyn::sim
