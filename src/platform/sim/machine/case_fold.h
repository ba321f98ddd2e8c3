// Case-insensitive comparison of names, as Windows compares file names: each
// character folded to its lower-case form, whatever the alphabet.
#pragma once

#include <string>
#include <string_view>

namespace lyn::sim {

// The UTF-8 text with every letter in lower case. Bytes that are not valid
// UTF-8 are kept as they are.
std::string FoldCase(std::string_view utf8);

bool EqualFolded(std::string_view a, std::string_view b);

// The characters of a UTF-8 text; a byte that is not valid UTF-8 stands for
// itself.
std::u32string ToCodePoints(std::string_view utf8);

}  // namespace lyn::sim
