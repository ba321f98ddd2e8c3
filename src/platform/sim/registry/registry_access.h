// Who may open, create and delete the machine's registry keys: each key's
// access list in the machine's security model, checked against the running
// program's token, as the system does when a key is opened. A key without a
// list of its own takes its parent's inheritable entries; the roots and
// their first keys carry the system's defaults (the user's own hive is
// theirs, the machine-wide keys are read-only for Users).
#pragma once

#include <string_view>

#include "platform/api/advapi32_registry.h"
#include "platform/sim/machine/machine.h"

namespace lyn::sim {

// Whether the list of the key at a full physical path
// ("HKEY_LOCAL_MACHINE\SOFTWARE\...") grants the user every right `desired`
// asks for. The view flags (KEY_WOW64_*) ask for nothing.
bool MayOpenKey(const Machine& machine, std::string_view keyPath, win::REGSAM desired);

// What a key opened with MAXIMUM_ALLOWED gets: KEY_ALL_ACCESS or KEY_READ,
// whichever its list grants first, or 0.
win::REGSAM MaximumKeyAccess(const Machine& machine, std::string_view keyPath);

// Whether the user may create the key: its parent's list grants
// KEY_CREATE_SUB_KEY.
bool MayCreateKey(const Machine& machine, std::string_view keyPath);

// Whether the key's list grants the user DELETE.
bool MayDeleteKey(const Machine& machine, std::string_view keyPath);

// Gives a key just made the owner and list Windows gives a new key.
void KeyCreated(const Machine& machine, std::string_view keyPath);

}  // namespace lyn::sim
