// File-name patterns as a directory search reads them.
#pragma once

#include <string>
#include <string_view>

namespace lyn::sim {

// True when the file name matches the pattern, both UTF-8, compared without
// regard to case. The pattern is read the DOS way, as Windows' directory
// search reads it: '*' matches any run of characters, but a '*' before a '.'
// stops at the name's last '.'; '?' matches one character, or nothing at a
// '.' or at the end of the name; a '.' before '*', '?' or the end of the
// pattern also matches the end of the name. So "*.*" matches every name,
// "*." the names without extension, and "lyn.*" also "LYN".
bool MatchesPattern(std::string_view name, std::string_view pattern);

// The same for many names: the pattern is read once.
class WildcardPattern {
 public:
  explicit WildcardPattern(std::string_view pattern);
  bool Matches(std::string_view name) const;

 private:
  std::u32string translated_;
  bool everything_;  // "*" and "*.*" take every name
};

}  // namespace lyn::sim
