// Code-page conversions of the emulated kernel32, with the platform's length
// and buffer-size conventions.
#include <gtest/gtest.h>

#include <string>

#include "platform/sim/machine/scratch_machine.h"

namespace lyn::sim {
namespace {

using namespace win;
using testing::ScratchMachine;

constexpr DWORD MB_ERR_INVALID_CHARS = 0x08;
constexpr DWORD ERROR_NO_UNICODE_TRANSLATION = 1113;

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
    std::string ansi;
    std::u16string wide;
  } cases[] = {
      {1252, "\xE9t\xE9", u"\u00E9t\u00E9"},
      {1252, "\x80", u"\u20AC"},
      {1251, "\xC6", u"\u0416"},
      {932, "\x93\xFA", u"\u65E5"},
  };
  for (const auto& c : cases) {
    Profile profile;
    profile.AnsiCodePage = c.codePage;
    ScratchMachine m(profile);
    EXPECT_EQ(m.kernel32.GetACP(), c.codePage);
    EXPECT_EQ(ToWide(m.kernel32, CP_ACP, c.ansi), c.wide) << c.codePage;
    char back[16] = {};
    const int size =
        m.kernel32.WideCharToMultiByte(CP_ACP, 0, c.wide.data(), static_cast<int>(c.wide.size()),
                                       back, sizeof back, nullptr, nullptr);
    EXPECT_EQ(std::string(back, static_cast<std::size_t>(size)), c.ansi) << c.codePage;
  }
}

TEST(SimKernel32TextTest, LengthMinusOneCountsTheNulAndSizeZeroAsks) {
  ScratchMachine m;
  EXPECT_EQ(m.kernel32.MultiByteToWideChar(CP_ACP, 0, "abc", -1, nullptr, 0), 4);
  char16_t wide[4];
  EXPECT_EQ(m.kernel32.MultiByteToWideChar(CP_ACP, 0, "abc", -1, wide, 4), 4);
  EXPECT_EQ(wide[3], u'\0');
  EXPECT_EQ(m.kernel32.WideCharToMultiByte(CP_UTF8, 0, u"\u00E9", -1, nullptr, 0, nullptr, nullptr),
            3);

  EXPECT_EQ(m.kernel32.MultiByteToWideChar(CP_ACP, 0, "abc", -1, wide, 3), 0);
  EXPECT_EQ(m.kernel32.GetLastError(), ERROR_INSUFFICIENT_BUFFER);
}

TEST(SimKernel32TextTest, BadArgumentsAreRefused) {
  ScratchMachine m;
  char16_t wide[8];
  char narrow[8];
  BOOL usedDefault = FALSE;
  const int results[] = {
      m.kernel32.MultiByteToWideChar(CP_ACP, 0, "abc", 0, wide, 8),
      m.kernel32.MultiByteToWideChar(CP_ACP, 0, "abc", -2, wide, 8),
      m.kernel32.MultiByteToWideChar(CP_ACP, 0, "abc", 3, nullptr, 8),
      m.kernel32.MultiByteToWideChar(4, 0, "abc", 3, wide, 8),
      m.kernel32.WideCharToMultiByte(CP_UTF8, 0, u"abc", 3, narrow, 8, nullptr, &usedDefault),
      m.kernel32.WideCharToMultiByte(CP_UTF8, 0, u"abc", 3, narrow, 8, "?", nullptr),
  };
  for (std::size_t i = 0; i < std::size(results); ++i) EXPECT_EQ(results[i], 0) << "call " << i;
  EXPECT_EQ(m.kernel32.GetLastError(), ERROR_INVALID_PARAMETER);
}

TEST(SimKernel32TextTest, UnmappableCharactersUseTheDefaultAndSayItWasUsed) {
  ScratchMachine m;
  char narrow[8] = {};
  BOOL usedDefault = FALSE;
  EXPECT_EQ(
      m.kernel32.WideCharToMultiByte(CP_ACP, 0, u"a\u0416b", 3, narrow, 8, nullptr, &usedDefault),
      3);
  EXPECT_STREQ(narrow, "a?b");
  EXPECT_EQ(usedDefault, TRUE);
  EXPECT_EQ(
      m.kernel32.WideCharToMultiByte(CP_ACP, 0, u"\U0001F600", 2, narrow, 8, "#", &usedDefault), 1)
      << "a surrogate pair is one character";
  EXPECT_EQ(narrow[0], '#');
  EXPECT_EQ(m.kernel32.WideCharToMultiByte(CP_ACP, 0, u"ab", 2, narrow, 8, nullptr, &usedDefault),
            2);
  EXPECT_EQ(usedDefault, FALSE);
}

TEST(SimKernel32TextTest, InvalidUtf8IsReplacedUnlessRefusalIsAskedFor) {
  ScratchMachine m;
  EXPECT_EQ(ToWide(m.kernel32, CP_UTF8, std::string("a\xFF") + "b"), u"a\uFFFDb");
  char16_t wide[8];
  EXPECT_EQ(m.kernel32.MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, "a\xFF", 2, wide, 8), 0);
  EXPECT_EQ(m.kernel32.GetLastError(), ERROR_NO_UNICODE_TRANSLATION);
}

}  // namespace
}  // namespace lyn::sim
