// Who may change the machine's registry. Keys carry no access lists of their
// own yet: the machine's users may write their own hive, and only an
// administrator the machine-wide roots.
#pragma once

#include <string_view>

#include "platform/sim/machine/profile.h"

namespace lyn::sim {

// Whether the machine's user may create, change or delete the key at a full
// physical path ("HKEY_LOCAL_MACHINE\SOFTWARE\...").
bool MayWriteKey(const Profile& profile, std::string_view keyPath);

}  // namespace lyn::sim
