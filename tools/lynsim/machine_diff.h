// What differs between two machines: files and folders on their drives,
// registry keys and values, and owners and access lists. Each difference is
// one line; the lines are sorted, so the same two machines always give the
// same text.
//
//   file added: C:\Program Files\LYN\LYN.exe
//   file removed: ...            folder added: ...       folder removed: ...
//   file changed: PATH (content) / (attributes A -> RA)
//   key added: HKEY_LOCAL_MACHINE\...      key removed: ...
//   value added: KEY "name"=data (REG_SZ)  value removed: ...
//   value changed: KEY "name"=old (REG_SZ) -> "name"=new (REG_DWORD)
//   access added: PATH: BUILTIN\Users:(I)(OI)(CI)(F)
//   access removed: PATH: owner BUILTIN\Administrators
//   registration added: C:\Windows\system32\X.dll     registration removed: ...
//
// Access lists are compared for the objects present on both machines that
// either machine keeps an owner or list of its own for (the others take
// their parent's); an object added or removed shows as such. A library is
// registered once its DllRegisterServer succeeded, until its
// DllUnregisterServer does.
#pragma once

#include <string>
#include <vector>

#include "platform/sim/machine/machine.h"

namespace lyn::lynsim {

std::vector<std::string> DiffMachines(const sim::Machine& before, const sim::Machine& after);

}  // namespace lyn::lynsim
