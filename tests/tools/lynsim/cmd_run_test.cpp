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
  LynsimResult Lynsim(const std::string& args) { return scratch.Lynsim(args); }

  ScratchMachine scratch;
  const std::string& machine = scratch.machine();
  const std::filesystem::path& folder = scratch.folder();
};

TEST_F(LynsimRunTest, TheHeadlessRunShowsTheLicencePage) {
  // Headless whether or not the test process has a display; the fallback
  // without one is the window tests' business.
  const LynsimResult result = Lynsim("run " + machine + " --headless");
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(result.out.rfind("shown: frmSetup \"LYN Setup\"\n", 0), 0u) << result.out;
  for (const char* line :
       {"\ncontrol: lblPleaseRead \"Please read the license agreement before proceeding:\"\n",
        "\ncontrol: cmdOK \"Continue\" disabled\n", "\ncontrol: OpAccept(1) \"\" selected\n",
        "\ncontrol: cmdExit \"Cancel\"\n"}) {
    EXPECT_NE(result.out.find(line), std::string::npos) << line << "\n" << result.out;
  }
  EXPECT_EQ(result.out.find("picInstall"), std::string::npos) << "the parked panel is not seen";
  EXPECT_TRUE(result.out.ends_with("\nended: script done\n")) << result.out;
}

TEST_F(LynsimRunTest, ScriptedClicksDriveTheLicencePage) {
  LynsimResult result = Lynsim("run " + machine + " --headless --click lblAcceptYes");
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.err, "");
  EXPECT_NE(result.out.find("click: lblAcceptYes\n"
                            "selected: OpAccept(1) false\n"
                            "selected: OpAccept(0) true\n"
                            "enabled: cmdOK true\n"
                            "ended: script done\n"),
            std::string::npos)
      << result.out;

  result = Lynsim("run " + machine + " --headless --click lblAcceptYes --click cmdExit");
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_TRUE(result.out.ends_with("click: cmdExit\nended: Cancel\n")) << result.out;
}

TEST_F(LynsimRunTest, AScriptThatDoesNotFitEndsWithItsOwnStatus) {
  // Each step's fate is in the transcript: refused, or never reached.
  const struct {
    std::string script;
    const char* ending;
  } cases[] = {
      {"--click cmdOK --click cmdExit",
       "\nignored: cmdOK is disabled\nleft over: click cmdExit\nended: script does not fit\n"},
      {"--click lblAcceptYes --click cmdExit --click cmdOK --answer Yes",
       "\nclick: cmdExit\nleft over: click cmdOK\nleft over: answer Yes\nended: Cancel\n"},
  };
  for (const auto& c : cases) {
    const LynsimResult result = Lynsim("run " + machine + " --headless " + c.script);
    EXPECT_EQ(result.status, 3) << c.script << result.err;
    EXPECT_TRUE(result.out.ends_with(c.ending)) << result.out;
  }
}

TEST_F(LynsimRunTest, BadInputIsRefused) {
  const struct {
    std::string args;
    int status;
    const char* message;
  } cases[] = {
      {"run " + (folder / "none").string(), 1, "the folder does not exist"},
      {"run " + machine + " --answer Maybe", 2, "--answer: Maybe not in {Yes,No,OK}"},
      {"run " + machine + " --click", 2, "--click"},
      {"run " + machine + " --hold -1", 2, "--hold: Value -1 not in range 0 to 3600"},
      {"run " + machine + " --headless --gui", 2, "--headless excludes --gui"},
      {"run " + machine + " --headless --screenshot x.png", 2, "excludes"},
  };
  for (const auto& c : cases) {
    const LynsimResult result = Lynsim(c.args);
    EXPECT_EQ(result.status, c.status) << c.args;
    EXPECT_NE(result.err.find(c.message), std::string::npos) << c.args << ": " << result.err;
    EXPECT_EQ(result.out, "") << c.args;
  }
}

}  // namespace
