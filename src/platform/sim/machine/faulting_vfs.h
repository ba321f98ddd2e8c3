// The state store's way to the host's files while host faults are armed: a
// SQLite VFS over the default one that numbers each creation, write, sync,
// truncation and deletion of the database and its log files with the
// machine's other host calls (host_faults.h), and fails or ends the process
// where the plan says, as SQLite's own I/O-error and crash tests do.
#pragma once

namespace lyn::sim {

// Registers the VFS as SQLite's default, once; connections opened afterwards
// use it. Unarmed, it only passes each call on.
void InstallFaultingVfs();

}  // namespace lyn::sim
