// The version query of the emulated kernel32. Which edition each preset's
// answers name is checked with the presets.
#include <gtest/gtest.h>

#include <cstring>

#include "fakes/machine_platform.h"

namespace lyn::sim {
namespace {

using namespace win;
using fakes::MachinePlatform;

BOOL QueryVersion(MachinePlatform& m, OSVERSIONINFOEXA& info, DWORD size) {
  info.dwOSVersionInfoSize = size;
  return m.platform().kernel32.GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&info));
}

TEST(SimKernel32VersionTest, OnlyTheTwoRecordSizesAreAnsweredEachToItsLength) {
  MachinePlatform m(FindPreset("win2003-storage").profile);
  for (const DWORD size : {0u, 147u, 149u, 155u, 157u}) {
    OSVERSIONINFOEXA info{};
    EXPECT_EQ(QueryVersion(m, info, size), FALSE) << size;
    EXPECT_EQ(m.platform().kernel32.GetLastError(), ERROR_INSUFFICIENT_BUFFER) << size;
    EXPECT_EQ(info.dwMajorVersion, 0u) << "nothing written for size " << size;
  }
  OSVERSIONINFOEXA info;
  std::memset(&info, 0xCC, sizeof info);
  ASSERT_EQ(QueryVersion(m, info, sizeof(OSVERSIONINFOA)), TRUE);
  EXPECT_EQ(info.dwBuildNumber, 3790u);
  EXPECT_STREQ(info.szCSDVersion, "Service Pack 2");
  EXPECT_EQ(info.wSuiteMask, 0xCCCC) << "the short record ends before the suite mask";
  ASSERT_EQ(QueryVersion(m, info, sizeof(OSVERSIONINFOEXA)), TRUE);
  EXPECT_EQ(info.wServicePackMajor, 2);
  EXPECT_EQ(info.wSuiteMask, 0x2000);
  EXPECT_EQ(info.wReserved, 0);
}

TEST(SimKernel32VersionTest, ServicePackTextFillsTheFieldInTheAnsiCodePage) {
  Profile profile;
  profile.szCSDVersion = std::string(130, 'S');
  MachinePlatform longText(profile);
  OSVERSIONINFOEXA info{};
  ASSERT_EQ(QueryVersion(longText, info, sizeof(OSVERSIONINFOA)), TRUE);
  EXPECT_EQ(std::string(info.szCSDVersion, 128), std::string(128, 'S')) << "no room for a NUL";

  profile.szCSDVersion = "Service Pack \xC3\xA9";
  MachinePlatform accented(profile);
  ASSERT_EQ(QueryVersion(accented, info, sizeof(OSVERSIONINFOA)), TRUE);
  EXPECT_STREQ(info.szCSDVersion, "Service Pack \xE9");
  EXPECT_EQ(info.szCSDVersion[127], '\0') << "the rest of the field is cleared";
}

}  // namespace
}  // namespace lyn::sim
