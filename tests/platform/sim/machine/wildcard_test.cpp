#include "platform/sim/machine/wildcard.h"

#include <gtest/gtest.h>

namespace lyn::sim {
namespace {

TEST(MatchesPatternTest, FollowsTheDirectorySearchRules) {
  const struct {
    const char* pattern;
    const char* name;
    bool matches;
  } cases[] = {
      {"*.*", "README", true},
      {"*.cab", "LYN.CABX", false},
      {"lyn.*", "LYN", true},
      {"lyn.*", "LYNX.CAB", false},
      {"LYN.CAB", "lyn.cab", true},
      {"LYN.CAB", "LYN.CA", false},
      {"s?tup.exe", "setup.exe", true},
      {"s?tup.exe", "stup.exe", false},
      {"file?.txt", "file.txt", true},
      {"file?.txt", "file12.txt", false},
      {"????.cab", "LYN.CAB", true},
      {"??", "a", true},
      {"*map*.bmp", "WorldMap01.BMP", true},
      {"*.", "README", true},
      {"*.", "LYN.CAB", false},
      {"*.cab", "my.old.cab", true},
      {"*.*", "a.b.c", true},
      {"\xC3\xA9t\xC3\xA9.*", "\xC3\x89T\xC3\x89.txt", true},
      {"?t?.txt", "\xC3\xA9t\xC3\xA9.txt", true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(MatchesPattern(c.name, c.pattern), c.matches) << c.pattern << " ~ " << c.name;
  }
  const std::string name(200, 'a');  // many stars must stay quick
  EXPECT_FALSE(MatchesPattern(name, "*a*a*a*a*a*a*a*a*a*a*a*a*b"));
}

}  // namespace
}  // namespace lyn::sim
