// End to end: the operating-system check on machines of several presets.
#include <gtest/gtest.h>

#include <string>

#include "tools/lynsim/lynsim_process.h"

namespace {

using lyn::testing::LynsimResult;
using lyn::testing::ScratchMachine;

bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

TEST(OsCheckRunTest, SupportedThirtyTwoBitSystemsShowNoMessage) {
  for (const char* preset : {"winxp-pro", "winxp-home", "vista-business", "win7-professional"}) {
    ScratchMachine scratch(std::string("--preset ") + preset);
    const LynsimResult result = scratch.Lynsim("run " + scratch.machine() + " --headless");
    EXPECT_EQ(result.status, 0) << preset << result.err;
    EXPECT_FALSE(Has(result.out, "msgbox:")) << preset << "\n" << result.out;
    EXPECT_TRUE(Has(result.out, "\ncontrol: lblClientOS \"Operating System:  Windows "))
        << result.out;
    EXPECT_TRUE(result.out.ends_with("ended: script done\n")) << result.out;
  }
}

TEST(OsCheckRunTest, SixtyFourBitSystemsAskAndTheAnswerDecides) {
  for (const char* preset : {"win7-ultimate-x64", "win2008r2-enterprise", "winxp-pro-x64"}) {
    ScratchMachine scratch(std::string("--preset ") + preset);
    const LynsimResult yes =
        scratch.Lynsim("run " + scratch.machine() + " --headless --answer Yes");
    EXPECT_EQ(yes.status, 0) << preset << yes.err;
    EXPECT_TRUE(yes.out.starts_with("msgbox: \"Untested OS\" [Yes/No] critical")) << yes.out;
    EXPECT_TRUE(Has(yes.out, " 64-Bit.\\r\\n\\r\\nYou may continue")) << yes.out;
    EXPECT_TRUE(Has(yes.out, "answer: Yes\nshown: frmSetup")) << yes.out;
    EXPECT_TRUE(yes.out.ends_with("ended: script done\n")) << yes.out;

    const LynsimResult no = scratch.Lynsim("run " + scratch.machine() + " --headless --answer No");
    EXPECT_TRUE(no.out.ends_with("answer: No\nended: Untested OS\n")) << no.out;
    EXPECT_FALSE(Has(no.out, "shown:")) << no.out;
  }
}

TEST(OsCheckRunTest, Windows2000ProfessionalAsksWithTheHead) {
  ScratchMachine scratch("--preset win2000-pro");
  const LynsimResult result =
      scratch.Lynsim("run " + scratch.machine() + " --headless --answer No");
  EXPECT_TRUE(result.out.starts_with(
      "msgbox: \"Untested OS\" [Yes/No] critical \"The Installed Operating System is:- Windows "
      "2000 Professional (Build 2195, Service Pack 4).\\r\\n\\r\\nThe program you are attempting "
      "to install has not been tested on Windows 2000 Professional.\\r\\n\\r\\nYou may"))
      << result.out;
  EXPECT_TRUE(result.out.ends_with("ended: Untested OS\n")) << result.out;
}

TEST(OsCheckRunTest, OtherSystemsAreRefused) {
  for (const char* preset :
       {"win2003-standard", "win2008-standard", "win8-x64", "win98", "unknown-platform"}) {
    ScratchMachine scratch(std::string("--preset ") + preset);
    const LynsimResult result =
        scratch.Lynsim("run " + scratch.machine() + " --headless --answer OK --answer Yes");
    const bool x64 = std::string(preset) == "win8-x64";
    if (x64) {
      // An unrecognised 64-bit system is asked about as a 64-bit one.
      EXPECT_TRUE(result.out.starts_with("msgbox: \"Untested OS\"")) << result.out;
      continue;
    }
    EXPECT_TRUE(result.out.starts_with("msgbox: \"Invalid OS\" [OK] critical")) << result.out;
    EXPECT_TRUE(Has(result.out, "This Installation will now terminate.\"\nanswer: OK\n"))
        << result.out;
    EXPECT_TRUE(result.out.ends_with("ended: Invalid OS\n")) << preset << "\n" << result.out;
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

  const LynsimResult bad = scratch.Lynsim("osinfo " + scratch.folder().string() + "/none");
  EXPECT_NE(bad.status, 0);
  EXPECT_TRUE(bad.err.starts_with("lynsim: ")) << bad.err;
}

}  // namespace
