// Code-page conversions of the machine and of the emulated kernel32.
#include <gtest/gtest.h>

#include <string>

#include "fakes/machine_platform.h"

namespace lyn::sim {
namespace {

using namespace win;
using fakes::MachinePlatform;

std::u16string ToWide(Kernel32& kernel32, UINT codePage, const std::string& text) {
  const int length = static_cast<int>(text.size());
  const int size = kernel32.MultiByteToWideChar(codePage, 0, text.data(), length, nullptr, 0);
  std::u16string wide(static_cast<std::size_t>(size), u'\0');
  EXPECT_EQ(kernel32.MultiByteToWideChar(codePage, 0, text.data(), length, wide.data(), size),
            size);
  return wide;
}

TEST(SimKernel32TextTest, AnsiCodePageIsTheProfiles) {
  const struct {
    UINT codePage;
    std::string utf8, ansi;
    std::u16string wide;
  } cases[] = {
      {1252, "\xE2\x82\xAC 5", "\x80 5", u"\u20AC 5"},
      {1252, "\xC2\x81", "\x81", u"\u0081"},  // a gap of code page 1252 keeps its number
      {1251, "\xD0\x96", "\xC6", u"\u0416"},
      {932, "\xE6\x97\xA5\xE6\x9C\xAC", "\x93\xFA\x96\x7B", u"\u65E5\u672C"},
  };
  for (const auto& c : cases) {
    Profile profile;
    profile.AnsiCodePage = c.codePage;
    MachinePlatform m(profile);
    Kernel32& k = m.platform().kernel32;
    EXPECT_EQ(m.machine().Utf8ToAnsi(c.utf8), c.ansi) << c.codePage;
    EXPECT_EQ(m.machine().AnsiToUtf8(c.ansi), c.utf8) << c.codePage;
    EXPECT_EQ(k.GetACP(), c.codePage);
    EXPECT_EQ(ToWide(k, CP_ACP, c.ansi), c.wide) << c.codePage;
    char back[16] = {};
    const int size =
        k.WideCharToMultiByte(CP_ACP, 0, c.wide.data(), static_cast<int>(c.wide.size()), back,
                              sizeof back, nullptr, nullptr);
    EXPECT_EQ(std::string(back, static_cast<std::size_t>(size)), c.ansi) << c.codePage;
  }
}

// The product converts whole texts without flags or a default character:
// what the code page lacks becomes '?', a bad UTF-8 byte U+FFFD.
TEST(SimKernel32TextTest, WhatCannotBeConvertedIsReplaced) {
  MachinePlatform m;
  Kernel32& k = m.platform().kernel32;
  EXPECT_EQ(m.machine().Utf8ToAnsi("\xD0\x96-\xF0\x9F\x98\x80"), "?-?");
  char narrow[8] = {};
  EXPECT_EQ(k.WideCharToMultiByte(CP_ACP, 0, u"a\u0416b", 3, narrow, 8, nullptr, nullptr), 3);
  EXPECT_STREQ(narrow, "a?b");
  EXPECT_EQ(k.WideCharToMultiByte(CP_ACP, 0, u"\U0001F600", 2, narrow, 8, nullptr, nullptr), 1)
      << "a surrogate pair is one character";
  EXPECT_EQ(ToWide(k, CP_UTF8, std::string("a\xFF") + "b"), u"a\uFFFDb");
}

}  // namespace
}  // namespace lyn::sim
