#include "platform/sim/machine/wildcard.h"

#include <string>
#include <vector>

#include "platform/sim/machine/case_fold.h"

namespace lyn::sim {
namespace {

// The pattern's wildcards after translation, numbered beyond the last
// Unicode character so that they cannot be mistaken for one.
constexpr char32_t kStar = 0x110000;     // any run of characters
constexpr char32_t kDosStar = 0x110001;  // any run up to the name's last '.'
constexpr char32_t kDosQm = 0x110002;    // one character, or none at '.' or the end
constexpr char32_t kDosDot = 0x110003;   // a '.', or nothing at the end

std::u32string Translate(const std::u32string& pattern) {
  std::u32string translated = pattern;
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    const char32_t next = i + 1 < pattern.size() ? pattern[i + 1] : 0;
    switch (pattern[i]) {
      case U'*':
        translated[i] = next == U'.' ? kDosStar : kStar;
        break;
      case U'?':
        translated[i] = kDosQm;
        break;
      case U'.':
        if (next == 0 || next == U'*' || next == U'?') translated[i] = kDosDot;
        break;
      default:
        break;
    }
  }
  return translated;
}

class Matcher {
 public:
  Matcher(std::u32string name, std::u32string pattern)
      : name_(std::move(name)),
        pattern_(std::move(pattern)),
        lastDot_(name_.rfind(U'.')),
        failed_((name_.size() + 1) * (pattern_.size() + 1), 0) {}

  // Does pattern_[p...] match name_[n...]? A pair that failed once is not
  // tried again, which keeps many stars quick.
  bool Match(std::size_t p, std::size_t n) {
    if (p == pattern_.size()) return n == name_.size();
    const std::size_t pair = p * (name_.size() + 1) + n;
    if (failed_[pair]) return false;
    const bool matched = Step(p, n);
    if (!matched) failed_[pair] = 1;
    return matched;
  }

 private:
  bool Step(std::size_t p, std::size_t n) {
    const bool atEnd = n == name_.size();
    switch (pattern_[p]) {
      case kStar:
        return Match(p + 1, n) || (!atEnd && Match(p, n + 1));
      case kDosStar: {
        const bool mayTake = !atEnd && (lastDot_ == std::u32string::npos || n < lastDot_);
        return Match(p + 1, n) || (mayTake && Match(p, n + 1));
      }
      case kDosQm:
        if (atEnd || name_[n] == U'.') return Match(p + 1, n);
        return Match(p + 1, n + 1);
      case kDosDot:
        if (atEnd) return Match(p + 1, n);
        return name_[n] == U'.' && Match(p + 1, n + 1);
      default:
        return !atEnd && name_[n] == pattern_[p] && Match(p + 1, n + 1);
    }
  }

  std::u32string name_;
  std::u32string pattern_;
  std::size_t lastDot_;
  std::vector<char> failed_;
};

}  // namespace

bool MatchesPattern(std::string_view name, std::string_view pattern) {
  return WildcardPattern(pattern).Matches(name);
}

WildcardPattern::WildcardPattern(std::string_view pattern)
    : translated_(Translate(ToCodePoints(FoldCase(pattern)))),
      everything_(translated_ == std::u32string{kStar} ||
                  translated_ == std::u32string{kDosStar, kDosDot, kStar}) {}

bool WildcardPattern::Matches(std::string_view name) const {
  return everything_ || Matcher(ToCodePoints(FoldCase(name)), translated_).Match(0, 0);
}

}  // namespace lyn::sim
