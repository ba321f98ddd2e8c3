// Looking up an exported function of a PE image by name, as the loader does
// for GetProcAddress.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/sim/pe/pe_image.h"

namespace lyn::sim::pe {

struct Export {
  std::uint32_t ordinal = 0;  // the export's number, including the directory's base
  std::uint32_t rva = 0;      // the function's address in the image
  std::string forwarder;      // "LIBRARY.Function" when the export forwards to another library
};

// The export of that exact name (case-sensitive), found by a binary search of
// the sorted name table. Nothing when the image exports no such name; throws
// FormatError when the export directory is damaged.
std::optional<Export> FindExport(const Image& image, std::string_view name);

}  // namespace lyn::sim::pe
