#include "engine/manifest.h"

namespace lyn::Manifest {

void BuildManifest() {
  for (int slot = 1; slot <= kLastSlot; ++slot) {
    PresentVersionText[slot].clear();
    ShippedVersionText[slot].clear();
  }
  for (int row = 1; row <= kManifestRowCount; ++row) {
    const ManifestEntry& entry = kManifestRows[static_cast<std::size_t>(row - 1)];
    FileName[row] = entry.FileName;
    ShippedVersion[row] = entry.ShippedVersion;
    Destination[row] = entry.Destination;
    InstallMark[row] = kFalse16;
  }
}

}  // namespace lyn::Manifest
