#include "attribute_letters.h"

#include <utility>

#include "platform/api/win_types.h"

namespace lyn::lynsim {
namespace {

// The attribute letters, in their column order.
constexpr std::pair<char, win::DWORD> kLetters[] = {
    {'D', win::FILE_ATTRIBUTE_DIRECTORY}, {'R', win::FILE_ATTRIBUTE_READONLY},
    {'H', win::FILE_ATTRIBUTE_HIDDEN},    {'S', win::FILE_ATTRIBUTE_SYSTEM},
    {'A', win::FILE_ATTRIBUTE_ARCHIVE},
};

}  // namespace

std::string AttributeLetters(win::DWORD attributes) {
  std::string letters;
  for (const auto& [letter, bit] : kLetters) letters += (attributes & bit) != 0 ? letter : '-';
  return letters;
}

}  // namespace lyn::lynsim
