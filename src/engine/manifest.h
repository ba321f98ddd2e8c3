// The manifest's filling; its columns are module-wide values.
#pragma once

#include "common/module_state.h"
#include "engine/manifest_rows.h"

namespace lyn::Manifest {

// Empties both version texts of slots 1 to 90, then fills rows 1 to 48 from
// the shipped files with their install marks false.
void BuildManifest();

}  // namespace lyn::Manifest
