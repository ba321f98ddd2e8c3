#include "platform/sim/pe/export_directory.h"

namespace lyn::sim::pe {

std::optional<Export> FindExport(const Image& image, std::string_view name) {
  const DataDirectory directory = image.Directory(kExportDirectory);
  if (directory.rva == 0) return std::nullopt;
  const ByteView exports = image.AtRva(directory.rva, 40);
  const std::uint32_t base = exports.U32(16);
  const std::uint32_t functionCount = exports.U32(20);
  const std::uint32_t nameCount = exports.U32(24);
  const std::uint32_t functions = exports.U32(28);
  const std::uint32_t names = exports.U32(32);
  const std::uint32_t nameOrdinals = exports.U32(36);

  std::uint64_t low = 0;
  std::uint64_t high = nameCount;
  while (low < high) {
    const std::uint64_t middle = low + (high - low) / 2;
    const std::uint32_t nameRva =
        image.AtRva(names + static_cast<std::uint32_t>(middle * 4), 4).U32(0);
    const int order = std::string_view(image.StringAtRva(nameRva)).compare(name);
    if (order < 0) {
      low = middle + 1;
    } else if (order > 0) {
      high = middle;
    } else {
      // The ordinal table indexes the address table directly, without the base.
      const std::uint16_t index =
          image.AtRva(nameOrdinals + static_cast<std::uint32_t>(middle * 2), 2).U16(0);
      if (index >= functionCount) throw FormatError("export ordinal outside the address table");
      Export found{base + index, image.AtRva(functions + std::uint32_t{index} * 4, 4).U32(0), {}};
      // An address inside the export directory is a forwarder's text.
      if (found.rva >= directory.rva && found.rva - directory.rva < directory.size) {
        found.forwarder = image.StringAtRva(found.rva);
      }
      return found;
    }
  }
  return std::nullopt;
}

}  // namespace lyn::sim::pe
