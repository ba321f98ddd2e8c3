// The access check of a token against an object's list: entries apply in
// order, inherit-only entries are skipped, a deny entry for any asked right
// refuses the request (deny-only groups count for deny entries only), and
// the owner may always read and change the list.
#pragma once

#include "platform/api/advapi32_security.h"
#include "platform/sim/security/descriptor.h"
#include "platform/sim/security/token.h"

namespace lyn::sim {

constexpr win::ACCESS_MASK READ_CONTROL = 0x00020000;
constexpr win::ACCESS_MASK WRITE_DAC = 0x00040000;

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
