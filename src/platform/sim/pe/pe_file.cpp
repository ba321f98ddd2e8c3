#include "platform/sim/pe/pe_file.h"

#include "platform/sim/pe/pe_image.h"
#include "platform/sim/pe/resource_directory.h"
#include "platform/sim/pe/version_block.h"

namespace lyn::sim::pe {

std::optional<ByteView> ReadVersionResource(std::span<const std::uint8_t> file) {
  try {
    const Image image(file);
    auto block = FindResource(image, kRtVersion, kVersionResourceName);
    if (!block || !FixedFileInfo(*block)) return std::nullopt;
    return block;
  } catch (const FormatError&) {
    return std::nullopt;
  }
}

std::optional<Export> ReadExport(std::span<const std::uint8_t> file, std::string_view name) {
  try {
    return FindExport(Image(file), name);
  } catch (const FormatError&) {
    return std::nullopt;
  }
}

}  // namespace lyn::sim::pe
