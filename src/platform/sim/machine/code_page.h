// Text in the machine's code pages, converted with the C library's iconv.
// Windows code page N is iconv's "CPN"; 65001 is UTF-8.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/api/win_types.h"

namespace lyn::sim {

constexpr win::UINT kUtf8CodePage = 65001;

bool CodePageKnown(win::UINT codePage);

// Bytes of a code page to UTF-16. A byte that is not valid there becomes
// U+FFFD in UTF-8 and the character of the same number in other code pages
// (as Windows maps the gaps of its single-byte code pages), unless `strict`,
// which refuses such input. nullopt: unknown code page, or refused input.
std::optional<std::u16string> DecodeText(win::UINT codePage, std::string_view bytes, bool strict);

struct EncodedText {
  std::string bytes;
  bool usedDefault = false;  // some character was replaced by the default
};

// UTF-16 to bytes of a code page; a character the code page cannot hold (or
// an unpaired surrogate) becomes `defaultChar`. nullopt: unknown code page.
std::optional<EncodedText> EncodeText(win::UINT codePage, std::u16string_view text,
                                      std::string_view defaultChar);

}  // namespace lyn::sim
