// End to end: the operating-system check on machines of several presets.
#include <gtest/gtest.h>

#include <string>

#include "tools/lynsim/lynsim_process.h"

namespace {

using lyn::testing::LynsimResult;
using lyn::testing::ScratchMachine;

// One preset of each outcome: a supported 32-bit system shows the licence
// page at once; a 64-bit one asks, and the answer decides; Windows 2000
// Professional asks with the head of the message; other systems are refused.
// On Windows 7 the person has consented to run the program as administrator
// first.
TEST(OsCheckRunTest, EachPresetGetsItsOutcome) {
  const std::string untested = "msgbox: \"Untested OS\" [Yes/No] critical \"";
  const std::string consented = "elevation: consent Yes\n";
  const std::string sixtyFour = " 64-Bit.\n  \n  You may continue";
  const std::string invalid = "msgbox: \"Invalid OS\" [OK] critical \"";
  const std::string refused =
      "This Installation will now terminate.\"\nanswer: OK\n"
      "ended: Invalid OS\n";
  const struct {
    const char* preset;
    const char* answer;
    std::string start;
    std::string part;
    std::string end;
  } cases[] = {
      {"winxp-pro", "", "shown: frmSetup", "\ncontrol: lblClientOS \"Operating System:  Windows ",
       "ended: script done\n"},
      {"win7-ultimate-x64", "Yes", consented + untested, sixtyFour, "ended: script done\n"},
      {"win7-ultimate-x64", "No", consented + untested, sixtyFour,
       "answer: No\nended: Untested OS\n"},
      {"win2000-pro", "No",
       untested + "The Installed Operating System is:- Windows 2000 Professional (Build 2195, "
                  "Service Pack 4).\n  \n  The program you are attempting to install has not "
                  "been tested on Windows 2000 Professional.\n  \n  You may",
       "", "answer: No\nended: Untested OS\n"},
      {"win2003-standard", "OK", invalid, "", refused},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.preset);
    const ScratchMachine scratch(std::string("--preset ") + c.preset);
    const std::string answer = *c.answer ? std::string(" --answer ") + c.answer : "";
    const LynsimResult result = scratch.Lynsim("run " + scratch.machine() + " --headless" + answer);
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_TRUE(result.out.starts_with(c.start)) << result.out;
    EXPECT_NE(result.out.find(c.part), std::string::npos) << result.out;
    EXPECT_TRUE(result.out.ends_with(c.end)) << result.out;
  }
}

TEST(OsCheckRunTest, OsInfoPrintsTheRecordAndTheCheck) {
  ScratchMachine scratch("--preset win2003-storage");
  const LynsimResult result = scratch.Lynsim("osinfo " + scratch.machine());
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_TRUE(
      result.out.starts_with("OSName: Windows Storage Server 2003Standard Edition\n"
                             "OSCode: 11\nBuildNumber: 3790\n"))
      << result.out;
  EXPECT_TRUE(result.out.ends_with("Is64BitOS: False\nCheck: Invalid OS\n")) << result.out;
}

}  // namespace
