#include "platform/sim/machine/windows_names.h"

#include <cctype>

namespace lyn::sim {
namespace {

constexpr win::DWORD ERROR_FILENAME_EXCED_RANGE = 206;

bool IsSeparator(char c) {
  return c == '\\' || c == '/';
}

}  // namespace

bool RefusedCharacter(char c) {
  switch (c) {
    case '<':
    case '>':
    case ':':
    case '"':
    case '|':
    case '?':
    case '*':
      return true;
    default:
      return static_cast<unsigned char>(c) < 0x20;
  }
}

std::optional<std::string> DeviceName(std::string_view name) {
  // The part before the first dot, without the blanks that may end it.
  std::string_view base = name.substr(0, name.find('.'));
  while (!base.empty() && base.back() == ' ') base.remove_suffix(1);
  // Every device name has three or four letters.
  if (base.size() != 3 && base.size() != 4) return std::nullopt;
  std::string upper;
  for (const char c : base) upper += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  if (upper == "CON" || upper == "PRN" || upper == "AUX" || upper == "NUL") return upper;
  const bool numbered = upper.size() == 4 && (upper.starts_with("COM") || upper.starts_with("LPT"));
  if (numbered && upper[3] >= '1' && upper[3] <= '9') return upper;
  return std::nullopt;
}

win::DWORD PathNameError(std::string_view path) {
  if (path.size() >= win::MAX_PATH) return ERROR_FILENAME_EXCED_RANGE;
  if (path.size() >= 2 && path[1] == ':') path.remove_prefix(2);
  std::size_t length = 0;
  for (const char c : path) {
    if (IsSeparator(c)) {
      length = 0;
      continue;
    }
    if (RefusedCharacter(c) || ++length > kMaxNameLength) return win::ERROR_INVALID_NAME;
  }
  return win::ERROR_SUCCESS;
}

}  // namespace lyn::sim
