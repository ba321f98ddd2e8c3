// The owners and access lists a freshly installed Windows gives the folders,
// files and registry keys the setup program touches, by edition family:
// Windows NT 3.51 and 4.0; Windows 2000, XP and Server 2003; Windows Vista,
// 7 and Server 2008 (R2) and later. The Windows 95 line keeps no lists.
// docs/default-access-lists.md says where each list comes from.
//
// Each list belongs to an anchor of the tree: a drive's root, the Windows
// folder, the system folder and the files directly in these two, Program
// Files and Common Files, the user's profile folder, the all-users Start
// menu, and the registry's roots, HKEY_LOCAL_MACHINE\SOFTWARE and
// HKEY_CURRENT_USER. Everything below an anchor inherits from it.
#pragma once

#include <optional>

#include "platform/sim/machine/machine.h"
#include "platform/sim/security/descriptor.h"

namespace lyn::sim {

struct SecuredObject;

// The protected descriptor of an anchor, or nothing for an object that
// takes its parent's inheritable entries.
std::optional<Descriptor> DefaultDescriptor(const Machine& machine, const SecuredObject& object);

}  // namespace lyn::sim
