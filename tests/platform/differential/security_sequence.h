// One sequence of advapi32 security calls, run on the emulated machine and
// on Windows (or Wine) alike: one line per call with its result and last
// error (seeded with a sentinel before each call), so the two can be
// compared line by line.
#pragma once

#include <string>
#include <vector>

#include "platform/api/advapi32_security.h"

namespace lyn::differential {

// What the sequence needs of kernel32.
class SequenceHost {
 public:
  virtual ~SequenceHost() = default;
  virtual void SetLastError(win::DWORD error) = 0;
  virtual win::DWORD GetLastError() = 0;
  virtual win::HANDLE GetCurrentThread() = 0;
  virtual void LocalFree(void* memory) = 0;
};

// The folder must exist and hold the file "probe.txt"; the calls ask about
// them, about a missing file beside them, about accounts and about the
// machine's SOFTWARE key. Each line is "NAME: RESULT ERROR[ DETAIL]".
std::vector<std::string> SecuritySequence(win::Advapi32Security& security, SequenceHost& host,
                                          const std::string& folder);

}  // namespace lyn::differential
