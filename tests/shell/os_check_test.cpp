#include "shell/os_check.h"

#include <gtest/gtest.h>

#include "fakes/fake_platform.h"

namespace lyn {
namespace {

using fakes::FakePlatform;
using fakes::ProcessEnded;

const std::string kQuestion =
    "You may continue if you wish, but no guarantees are given to the success of the "
    "installation\r\nand performance of the software.  The risk may be minimal, but nevertheless "
    "any risk is \r\ntotally yours.\r\n\r\n" +
    std::string(45, ' ') + "Do you wish to continue?";

void SetVersion(FakePlatform& fake, win::DWORD major, win::DWORD minor, win::DWORD build,
                win::BYTE productType) {
  fake.kernel32.version.dwPlatformId = 2;
  fake.kernel32.version.dwMajorVersion = major;
  fake.kernel32.version.dwMinorVersion = minor;
  fake.kernel32.version.dwBuildNumber = build;
  fake.kernel32.version.wProductType = productType;
}

class OperatingSystemCheckTest : public ::testing::Test {
 protected:
  void ExpectOneBox(const std::string& caption, win::UINT type, const std::string& text) {
    ASSERT_EQ(fake.user32.boxes.size(), 1u);
    EXPECT_EQ(fake.user32.boxes[0].caption, caption);
    EXPECT_EQ(fake.user32.boxes[0].type, type);
    EXPECT_EQ(fake.user32.boxes[0].text, text);
  }
  FakePlatform fake;
};

TEST_F(OperatingSystemCheckTest, SixtyFourBitSystemAsksAndYesContinues) {
  SetVersion(fake, 6, 1, 7601, win::VER_NT_WORKSTATION);
  fake.kernel32.productType = 1;  // Ultimate
  fake.kernel32.wow64 = win::TRUE;
  fake.kernel32.nativeArchitecture = win::PROCESSOR_ARCHITECTURE_AMD64;
  fake.user32.answers = {win::IDYES};
  EXPECT_EQ(OperatingSystemCheck(fake.platform, 0),
            "Operating System:  Windows 7 Ultimate Edition, 64-bit (Build 7601)");
  ExpectOneBox("Untested OS", win::MB_YESNO | win::MB_ICONSTOP,
               "The Installed Operating System is:- Windows 7 Ultimate Edition, 64-bit (Build "
               "7601).\r\n\r\nThe program you are attempting to install has not been tested on "
               "Windows 7 Ultimate Edition, 64-bit 64-Bit.\r\n\r\n" +
                   kQuestion);
}

TEST_F(OperatingSystemCheckTest, OtherSystemsAreRefusedAfterOk) {
  SetVersion(fake, 5, 0, 2195, win::VER_NT_SERVER);
  fake.user32.answers = {win::IDOK};
  EXPECT_THROW(OperatingSystemCheck(fake.platform, 0), ProcessEnded);
  ExpectOneBox("Invalid OS", win::MB_OK | win::MB_ICONSTOP,
               "The Installed Operating System is:- Windows 2000 Server (Build 2195).\r\n\r\nThe "
               "program you are attempting to install has not been tested on Windows 2000 "
               "Server.\r\n\r\n" +
                   std::string(35, ' ') + "This Installation will now terminate.");
}

TEST(ClassifySystemTest, EveryCodeHasItsOutcome) {
  OperatingSystem::OSInfo info;
  for (int code = -1; code <= 15; ++code) {
    info.OSCode = code;
    const bool supported = code == 9 || code == 10 || code == 12 || code == 14;
    const CheckOutcome expected = supported   ? CheckOutcome::None
                                  : code == 7 ? CheckOutcome::Untested
                                              : CheckOutcome::Invalid;
    EXPECT_EQ(ClassifySystem(info, kFalse16), expected) << "code " << code;
    EXPECT_EQ(ClassifySystem(info, kTrue16), CheckOutcome::Untested64) << "code " << code;
  }
}

}  // namespace
}  // namespace lyn
