#include "engine/version_compare.h"

#include <charconv>
#include <cstdint>
#include <stdexcept>
#include <string_view>

#include "engine/manifest.h"

namespace lyn {
namespace {

struct MajorMinor {
  std::int32_t major = 0;
  std::int32_t minor = 0;
};

// A version part's value: its integer value when it is a number (decimal
// digits with an optional sign), 0 otherwise. Throws std::overflow_error when
// the number does not fit a signed 32-bit integer.
std::int32_t PartValue(std::string_view part) {
  if (!part.empty() && part.front() == '+') part.remove_prefix(1);
  const std::string_view digits = !part.empty() && part.front() == '-' ? part.substr(1) : part;
  if (digits.empty() || digits.find_first_not_of("0123456789") != std::string_view::npos) return 0;
  std::int32_t value = 0;
  const auto [end, error] = std::from_chars(part.data(), part.data() + part.size(), value);
  if (error == std::errc::result_out_of_range) throw std::overflow_error("Overflow");
  return value;
}

// Major is the text before the first dot, minor the text between the first
// and the second dot (or the rest when there is no second dot). The other
// parts are ignored.
MajorMinor Parse(std::string_view version) {
  const std::size_t firstDot = version.find('.');
  if (firstDot == std::string_view::npos) return {};
  const std::string_view rest = version.substr(firstDot + 1);
  return {PartValue(version.substr(0, firstDot)), PartValue(rest.substr(0, rest.find('.')))};
}

std::string Text(const MajorMinor& version) {
  return std::to_string(version.major) + "." + std::to_string(version.minor);
}

}  // namespace

bool CompareVersions(const std::string& present, const std::string& shipped, int index) {
  try {
    const MajorMinor presentVersion = Parse(present);
    const MajorMinor shippedVersion = Parse(shipped);
    Manifest::PresentVersionText[index] = Text(presentVersion);
    Manifest::ShippedVersionText[index] = Text(shippedVersion);
    return shippedVersion.major > presentVersion.major ||
           (shippedVersion.major == presentVersion.major &&
            shippedVersion.minor > presentVersion.minor);
  } catch (const std::exception&) {
    return false;
  }
}

}  // namespace lyn
