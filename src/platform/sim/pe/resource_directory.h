// The resource tree of a PE image: type, then name, then language.
#pragma once

#include <cstdint>
#include <optional>

#include "platform/sim/pe/pe_image.h"

namespace lyn::sim::pe {

constexpr std::uint32_t kRtVersion = 16;
constexpr std::uint32_t kVersionResourceName = 1;
constexpr std::uint32_t kLangNeutral = 0x0000;
constexpr std::uint32_t kLangEnglishUs = 0x0409;

// The bytes of the resource with the numeric type and name. Of its languages
// the neutral one is taken first, then US English, then the first one listed.
// Nothing when the image has no such resource; throws FormatError when the
// resource tree is damaged.
std::optional<ByteView> FindResource(const Image& image, std::uint32_t type, std::uint32_t name);

}  // namespace lyn::sim::pe
