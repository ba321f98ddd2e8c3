// lynsim acl and the security settings of lynsim new: owners and access
// lists of a machine's files, folders and registry keys.
#pragma once

#include <ostream>
#include <string>

#include "platform/sim/machine/machine.h"

namespace lyn::lynsim {

struct AclOptions {
  std::string machineFolder;
  std::string path;  // a file or folder, or a key "HKLM\..." / "HKCU\..."
};

// Prints the object's owner, group and list, one entry a line. Throws
// MachineError for a path the machine cannot resolve.
void PrintAcl(const AclOptions& options, std::ostream& out);

// The settings of `lynsim new --set Security:PATH=TEXT`: gives the object
// the owner and list of the compact text (see security_text.h). Throws
// std::invalid_argument for malformed text.
void SetSecurity(const sim::Machine& machine, const std::string& path, const std::string& text);

// The prefix of such settings.
inline constexpr const char* kSecurityField = "Security:";

}  // namespace lyn::lynsim
