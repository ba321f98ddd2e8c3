#include "platform/sim/machine/case_fold.h"

#include <locale.h>
#include <wctype.h>

namespace lyn::sim {
namespace {

// The C library's Unicode character classes; the C locale would fold ASCII
// letters only.
locale_t UnicodeLocale() {
  static const locale_t locale = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(0));
  return locale;
}

char32_t ToLower(char32_t c) {
  if (c < 0x80) return (c >= 'A' && c <= 'Z') ? c + ('a' - 'A') : c;
  const locale_t locale = UnicodeLocale();
  return locale ? static_cast<char32_t>(towlower_l(static_cast<wint_t>(c), locale)) : c;
}

// Decodes one UTF-8 sequence at text[i]; returns its length, or 0 when the
// bytes there are not a valid sequence.
std::size_t Decode(std::string_view text, std::size_t i, char32_t& c) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[i + k]); };
  const unsigned char lead = byte(0);
  std::size_t length = lead < 0x80           ? 1
                       : (lead >> 5) == 0x6  ? 2
                       : (lead >> 4) == 0xE  ? 3
                       : (lead >> 3) == 0x1E ? 4
                                             : 0;
  if (length == 0 || i + length > text.size()) return 0;
  c = length == 1 ? lead : lead & (0x7F >> length);
  for (std::size_t k = 1; k < length; ++k) {
    if ((byte(k) & 0xC0) != 0x80) return 0;
    c = (c << 6) | (byte(k) & 0x3F);
  }
  return length;
}

void Encode(char32_t c, std::string& out) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

}  // namespace

std::string FoldCase(std::string_view utf8) {
  // Most names are ASCII: their letters fold in place.
  std::string folded(utf8);
  bool ascii = true;
  for (char& c : folded) {
    if (static_cast<unsigned char>(c) >= 0x80) {
      ascii = false;
      break;
    }
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + ('a' - 'A'));
  }
  if (ascii) return folded;
  folded.clear();
  for (std::size_t i = 0; i < utf8.size();) {
    char32_t c = 0;
    const std::size_t length = Decode(utf8, i, c);
    if (length == 0) {
      folded += utf8[i++];
      continue;
    }
    Encode(ToLower(c), folded);
    i += length;
  }
  return folded;
}

bool EqualFolded(std::string_view a, std::string_view b) {
  return FoldCase(a) == FoldCase(b);
}

std::u32string ToCodePoints(std::string_view utf8) {
  std::u32string points;
  for (std::size_t i = 0; i < utf8.size();) {
    char32_t c = static_cast<unsigned char>(utf8[i]);
    const std::size_t length = Decode(utf8, i, c);
    points += c;
    i += length == 0 ? 1 : length;
  }
  return points;
}

}  // namespace lyn::sim
