// The tables of the machine's state store. A store records the schema
// version it was made with; a machine made by another version is refused.
#pragma once

namespace lyn::sim {

// Raise with every change to kStateSchema.
inline constexpr int kStateSchemaVersion = 2;

// Marks the file as a machine's state store ("LYNM").
inline constexpr int kStateApplicationId = 0x4C594E4D;

// Every table, created when a machine is made.
extern const char* const kStateSchema;

}  // namespace lyn::sim
