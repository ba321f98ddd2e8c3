// Owners and access lists as text, for people and for test set-ups.
//
// Printed, one line each: "owner ACCOUNT", "group ACCOUNT", then one
// "allow|deny ACCOUNT MASK FLAGS" line per entry in order (mask and flags in
// hexadecimal), or "no list: everyone may do everything" for a NULL list.
//
// Written compactly on one line, parts separated by ';':
//   owner=ACCOUNT;group=ACCOUNT;allow=ACCOUNT:MASK[:FLAGS];deny=ACCOUNT:MASK[:FLAGS]
// An ACCOUNT is a name the machine maps ("Users", "NT SERVICE\TrustedInstaller")
// or an "S-1-..." identifier; numbers are decimal or 0x hexadecimal. Without
// owner or group the object's present ones stay; without entries the list is
// empty; "list=null" makes a NULL list.
#pragma once

#include <string>
#include <string_view>

#include "platform/sim/machine/profile.h"
#include "platform/sim/security/descriptor.h"

namespace lyn::sim {

std::string DescriptorText(const Profile& profile, const Descriptor& descriptor);

// Changes `descriptor` as the compact text says; the list is protected.
// Throws std::invalid_argument naming the part for malformed text.
void ApplyDescriptorText(const Profile& profile, std::string_view text, Descriptor& descriptor);

}  // namespace lyn::sim
