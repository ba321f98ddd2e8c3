// Security identifiers of the emulated machine, and their published binary
// form (revision 1, sub-authority count, six-byte authority big-endian,
// little-endian 32-bit sub-authorities) and text form ("S-1-5-32-545").
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lyn::sim {

struct Sid {
  std::uint64_t authority = 0;  // 48 bits
  std::vector<std::uint32_t> subAuthorities;

  friend bool operator==(const Sid&, const Sid&) = default;
};

constexpr std::size_t kMaxSubAuthorities = 15;

std::vector<std::uint8_t> SidBytes(const Sid& sid);
// The identifier at `bytes`, reading at most `size` bytes; nullopt when it
// is not a well-formed identifier.
std::optional<Sid> SidFromBytes(const std::uint8_t* bytes, std::size_t size);
// The length of the binary form, from its count byte.
std::size_t SidLength(const Sid& sid);

std::string SidText(const Sid& sid);
// nullopt unless the text is "S-1-<authority>(-<sub-authority>)*".
std::optional<Sid> SidFromText(std::string_view text);

}  // namespace lyn::sim
