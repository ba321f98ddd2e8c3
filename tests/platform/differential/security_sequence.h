// One sequence of advapi32 security calls, run on the emulated machine and
// on Windows (or Wine) alike: one line per call with its result and last
// error (seeded with a sentinel before each call), so the two can be
// compared line by line.
#pragma once

#include <string>
#include <vector>

#include "platform/api/advapi32_security.h"
#include "platform/api/kernel32.h"

namespace lyn::differential {

// The folder must exist and hold the file "probe.txt"; the calls ask about
// them, about a missing file beside them, about accounts and about the
// machine's SOFTWARE key. Each line is "NAME: RESULT ERROR[ DETAIL]".
std::vector<std::string> SecuritySequence(win::Advapi32Security& security, win::Kernel32& host,
                                          const std::string& folder);

}  // namespace lyn::differential
