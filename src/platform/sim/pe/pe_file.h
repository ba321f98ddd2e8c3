// What the emulated machine asks of a PE file: its version resource and its
// exports. A file that is not a PE image, or a damaged one, simply has
// neither; nothing here throws.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "platform/sim/pe/byte_view.h"
#include "platform/sim/pe/export_directory.h"

namespace lyn::sim::pe {

// The version resource (the VS_VERSIONINFO block) of the file, only when its
// root holds fixed version information with the right signature. The view
// points into `file`.
std::optional<ByteView> ReadVersionResource(std::span<const std::uint8_t> file);

// The export of that name.
std::optional<Export> ReadExport(std::span<const std::uint8_t> file, std::string_view name);

}  // namespace lyn::sim::pe
