// The tables of the machine's state store. A store records the schema
// version it was made with; a machine made by another version is refused.
#pragma once

namespace lyn::sim {

// Raise with every change to kStateSchema, and say how a store of the
// version before is brought up to it.
inline constexpr int kStateSchemaVersion = 3;

// Marks the file as a machine's state store ("LYNM").
inline constexpr int kStateApplicationId = 0x4C594E4D;

// Every table, created when a machine is made.
extern const char* const kStateSchema;

// Brings a store of version 2 to version 3: the marks of files in use give
// way to the open handles, which no process holds while the store is
// brought up.
extern const char* const kStateMigrationFrom2;

}  // namespace lyn::sim
