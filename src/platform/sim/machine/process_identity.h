// Which process of the host a record of the machine belongs to: its number
// and its start time, so that a number the host gives again to a later
// process is not taken for the one that ended.
#pragma once

#include <optional>

namespace lyn::sim {

struct ProcessIdentity {
  int id = 0;
  unsigned long long start = 0;  // clock ticks after boot
};

// The calling process, asked of the host once per process (again after a fork).
ProcessIdentity ThisProcessIdentity();

// The start time of a live process (field 22 of /proc/PID/stat); nullopt
// when it is gone or a zombie.
std::optional<unsigned long long> StartTimeOf(int processId);

// Whether the process a record names is still the one running.
bool IsRunning(const ProcessIdentity& process);

}  // namespace lyn::sim
