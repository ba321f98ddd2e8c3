// End to end: the setup program run headless by the lynsim binary on a
// machine made by `lynsim new`.
#include <gtest/gtest.h>

#include <string>

#include "tools/lynsim/lynsim_process.h"

namespace {

using lyn::testing::LynsimResult;
using lyn::testing::ScratchMachine;

class LynsimRunTest : public ::testing::Test {
 protected:
  LynsimResult Run(const std::string& script) {
    return scratch.Lynsim("run " + scratch.machine() + " --headless" + script);
  }

  ScratchMachine scratch;
};

TEST_F(LynsimRunTest, TheHeadlessRunShowsTheLicencePage) {
  // Headless whether or not the test process has a display; the fallback
  // without one is the window tests' business.
  const LynsimResult result = Run("");
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.err, "");
  // The default person, an administrator on Windows 7, first consents to
  // the program's request for administrator rights.
  EXPECT_TRUE(result.out.starts_with("elevation: consent Yes\nshown: frmSetup \"LYN Setup\"\n"))
      << result.out;
  for (const char* line :
       {"\ncontrol: lblPleaseRead \"Please read the license agreement before proceeding:\"\n",
        "\ncontrol: cmdOK \"Continue\" disabled\n", "\ncontrol: OpAccept(1) \"\" selected\n",
        "\ncontrol: cmdExit \"Cancel\"\n"}) {
    EXPECT_NE(result.out.find(line), std::string::npos) << line << "\n" << result.out;
  }
  EXPECT_EQ(result.out.find("picInstall"), std::string::npos) << "the parked panel is not seen";
  EXPECT_TRUE(result.out.ends_with("\nended: script done\n")) << result.out;
}

// Each step's fate is in the transcript: done, refused, or never reached; a
// script that does not fit ends with status 3.
TEST_F(LynsimRunTest, ScriptedStepsDriveTheLicencePage) {
  const struct {
    const char* script;
    int status;
    const char* ending;
  } cases[] = {
      {" --click lblAcceptYes", 0,
       "click: lblAcceptYes\nselected: OpAccept(1) false\nselected: OpAccept(0) true\n"
       "enabled: cmdOK true\nended: script done\n"},
      {" --click lblAcceptYes --click cmdExit", 0, "click: cmdExit\nended: Cancel\n"},
      {" --click cmdOK --click cmdExit", 3,
       "\nignored: cmdOK is disabled\nleft over: click cmdExit\nended: script does not fit\n"},
      {" --click lblAcceptYes --click cmdExit --click cmdOK --answer Yes", 3,
       "\nclick: cmdExit\nleft over: click cmdOK\nleft over: answer Yes\nended: Cancel\n"},
  };
  for (const auto& c : cases) {
    const LynsimResult result = Run(c.script);
    EXPECT_EQ(result.status, c.status) << c.script << result.err;
    EXPECT_EQ(result.err, "") << c.script;
    EXPECT_TRUE(result.out.ends_with(c.ending)) << result.out;
  }
}

}  // namespace
