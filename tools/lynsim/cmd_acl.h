// lynsim acl and the security settings of lynsim new: owners and access
// lists of a machine's files, folders and registry keys.
#pragma once

#include <ostream>
#include <string>

#include "platform/sim/machine/machine.h"
#include "platform/sim/security/security_model.h"
#include "platform/sim/security/security_text.h"

namespace lyn::lynsim {

enum class AclForm { Listing, Sddl, Json };

struct AclOptions {
  std::string machineFolder;
  std::string path;  // a file or folder, or a key "HKLM\..." / "HKCU\..."
  AclForm form = AclForm::Listing;
};

// Prints the object's list in the access-list tool's form, as SDDL with its
// owner and group, or as a JSON object. Throws MachineError for a path the
// machine cannot resolve.
void PrintAcl(const AclOptions& options, std::ostream& out);

// The settings of `lynsim new --set Security:PATH=SDDL`: gives the object
// the owner, group and list the SDDL text names. Throws
// std::invalid_argument for malformed text.
void SetSecurity(const sim::Machine& machine, const std::string& path, const std::string& sddl);

// How an object's rights are named.
inline sim::RightsKind RightsKindOf(sim::ObjectKind kind) {
  return kind == sim::ObjectKind::RegistryKey ? sim::RightsKind::Key : sim::RightsKind::File;
}

// The prefix of such settings.
inline constexpr const char* kSecurityField = "Security:";

}  // namespace lyn::lynsim
