// The VS_VERSIONINFO tree of a version resource: nodes of length, value
// length, type and a UTF-16 key, each value and child aligned to 4 bytes.
// The root's value is the fixed version information.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "platform/api/version.h"
#include "platform/sim/pe/byte_view.h"

namespace lyn::sim::pe {

// Where a node's value lies in the block.
struct VersionValue {
  std::uint64_t offset = 0;  // from the start of the block
  std::uint32_t length = 0;  // as the node states it: bytes, or characters for text
  bool text = false;
};

// The fixed version information of the block: nothing when the root's value
// is shorter than VS_FIXEDFILEINFO or its signature is wrong. Throws
// FormatError when the root node is damaged.
std::optional<win::VS_FIXEDFILEINFO> FixedFileInfo(const ByteView& block);

// The value at a path of keys below the root, separated by backslashes and
// compared without regard to ASCII letter case ("\" alone is the root's own
// value, "\StringFileInfo\040904B0\CompanyName" a text). Nothing when no node
// has that path; throws FormatError when a node on the way is damaged.
std::optional<VersionValue> FindVersionValue(const ByteView& block, std::string_view path);

}  // namespace lyn::sim::pe
