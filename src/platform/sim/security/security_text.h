// Owners and access lists as text, in the two forms Windows tools use.
//
// SDDL, the security descriptor definition language: "O:" owner, "G:" group,
// "D:" flags and entries, e.g.
//   O:BAG:SYD:P(A;OICI;FA;;;BA)(A;OICI;0x1200a9;;;BU)(D;;WD;;;WD)
// accounts as two-letter aliases (BA, BU, SY, WD, ...) or "S-1-..." texts;
// entries "(A|D;flags;rights;;;account)" with the flags OI CI NP IO ID and the
// rights as aliases (FA, KR, GA, ...) or a 0x number; the list flag "P"
// protects it from inheritance; "D:NO_ACCESS_CONTROL" is a NULL list.
//
// The listing of the access-list command line tool: one entry a line,
// "ACCOUNT:(I)(OI)(CI)(IO)(NP)(DENY)(RIGHTS)" with the inheritance flags the
// entry has, rights as simple rights (F, M, RX, R, W) or a list of specific
// ones ("(GR,GE)"), the first line after the object's path and the others
// under it.
#pragma once

#include <string>
#include <string_view>

#include "platform/sim/machine/profile.h"
#include "platform/sim/security/descriptor.h"

namespace lyn::sim {

// The kind of object rights are read for: files and folders or registry keys.
enum class RightsKind { File, Key };

std::string SddlText(const Descriptor& descriptor);

// Changes `descriptor` as the SDDL text says: an owner, group or list the
// text has replaces the descriptor's. Throws std::invalid_argument naming
// the part for malformed text.
void ApplySddl(std::string_view text, Descriptor& descriptor);

// One entry in the tool's listing form, without the path.
std::string AccessEntryText(const Profile& profile, const Ace& ace, RightsKind kind);

// The listing of an object's list under its path.
std::string AccessListing(const Profile& profile, const std::string& path,
                          const Descriptor& descriptor, RightsKind kind);

}  // namespace lyn::sim
