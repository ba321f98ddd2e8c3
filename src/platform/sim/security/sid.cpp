#include "platform/sim/security/sid.h"

#include <charconv>

namespace lyn::sim {

std::size_t SidLength(const Sid& sid) {
  return 8 + 4 * sid.subAuthorities.size();
}

std::vector<std::uint8_t> SidBytes(const Sid& sid) {
  std::vector<std::uint8_t> bytes{1, static_cast<std::uint8_t>(sid.subAuthorities.size())};
  for (int shift = 40; shift >= 0; shift -= 8) {
    bytes.push_back(static_cast<std::uint8_t>(sid.authority >> shift));
  }
  for (const std::uint32_t sub : sid.subAuthorities) {
    for (int shift = 0; shift < 32; shift += 8)
      bytes.push_back(static_cast<std::uint8_t>(sub >> shift));
  }
  return bytes;
}

std::optional<Sid> SidFromBytes(const std::uint8_t* bytes, std::size_t size) {
  if (bytes == nullptr || size < 8 || bytes[0] != 1 || bytes[1] > kMaxSubAuthorities) {
    return std::nullopt;
  }
  Sid sid;
  if (size < 8 + 4 * std::size_t{bytes[1]}) return std::nullopt;
  for (int i = 2; i < 8; ++i) sid.authority = (sid.authority << 8) | bytes[i];
  for (std::size_t i = 0; i < bytes[1]; ++i) {
    const std::uint8_t* p = bytes + 8 + 4 * i;
    sid.subAuthorities.push_back(p[0] | (p[1] << 8) | (p[2] << 16) |
                                 (static_cast<std::uint32_t>(p[3]) << 24));
  }
  return sid;
}

std::string SidText(const Sid& sid) {
  std::string text = "S-1-" + std::to_string(sid.authority);
  for (const std::uint32_t sub : sid.subAuthorities) text += "-" + std::to_string(sub);
  return text;
}

std::optional<Sid> SidFromText(std::string_view text) {
  if (text.substr(0, 4) != "S-1-" && text.substr(0, 4) != "s-1-") return std::nullopt;
  text.remove_prefix(4);
  Sid sid;
  bool first = true;
  while (true) {
    std::uint64_t number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc() || end == text.data()) return std::nullopt;
    if (first) {
      if (number >= (std::uint64_t{1} << 48)) return std::nullopt;
      sid.authority = number;
      first = false;
    } else {
      if (number > 0xFFFFFFFFu || sid.subAuthorities.size() == kMaxSubAuthorities) {
        return std::nullopt;
      }
      sid.subAuthorities.push_back(static_cast<std::uint32_t>(number));
    }
    text.remove_prefix(static_cast<std::size_t>(end - text.data()));
    if (text.empty()) return sid;
    if (text.front() != '-') return std::nullopt;
    text.remove_prefix(1);
  }
}

}  // namespace lyn::sim
