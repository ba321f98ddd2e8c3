// The command line as a whole: the version, every command's help with an
// example, and how each command refuses what it cannot do.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tools/lynsim/lynsim_process.h"

namespace {

using lyn::testing::LynsimResult;
using lyn::testing::ScratchMachine;

TEST(LynsimUsageTest, VersionAndEveryCommandsHelp) {
  const ScratchMachine scratch;
  for (const char* version : {"--version", "-V"}) {
    const LynsimResult result = scratch.Lynsim(version);
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "lynsim 6.7.0.0\n");
  }
  const LynsimResult overview = scratch.Lynsim("help");
  EXPECT_EQ(overview.status, 0) << overview.err;
  for (const std::string command :
       {"new", "set", "presets", "fields", "osinfo", "run", "path", "ls", "cat", "fileinfo",
        "survey", "acl", "reg", "diff", "uninstall", "cab", "help"}) {
    EXPECT_NE(overview.out.find("  " + command + " "), std::string::npos) << command;
    for (const std::string& asked : {command + " --help", "help " + command}) {
      const LynsimResult help = scratch.Lynsim(asked);
      EXPECT_EQ(help.status, 0) << asked << help.err;
      EXPECT_NE(help.out.find("Usage: lynsim " + command), std::string::npos) << help.out;
      EXPECT_NE(help.out.find("Example:\n  lynsim " + command), std::string::npos) << help.out;
    }
  }
  EXPECT_NE(scratch.Lynsim("run --help").out.find("  3  the script did not fit"),
            std::string::npos);
}

// Status 2 for a command line that does not parse, 1 for a machine or file
// that does not allow the command; either way one line on standard error
// and nothing on standard output.
TEST(LynsimUsageTest, BadInputIsOneLineWithAFailingStatus) {
  const ScratchMachine scratch;
  const std::string dir = scratch.machine();
  const std::string none = (scratch.folder() / "none").string();
  const struct {
    std::string arguments;
    int status;
    std::string message;
  } cases[] = {
      {"", 2, ""},
      {"frobnicate", 2, "'frobnicate' is not a command (see lynsim help)"},
      {"rn " + dir, 2, "'rn' is not a command; did you mean run?"},
      {"help rn", 2, "'rn' is not a command; did you mean run?"},
      {"--verison", 2, "'--verison' is not an option of lynsim; did you mean --version?"},
      {"run " + dir + " --clik cmdOK", 2,
       "'--clik' is not an option of lynsim run; did you mean --click? (see lynsim help run)"},
      {"uninstall " + dir + " --yse", 2, "did you mean --yes?"},
      {"acl " + dir + " 'C:\\' --sddl --json", 2, "--sddl excludes --json"},
      {"run " + dir + " --quiet --json", 2, "--quiet excludes --json"},
      {"reg " + dir + " export > /dev/full", 1, "cannot write to standard output: No space left"},
      {"osinfo " + dir + " > /dev/full", 1, "cannot write to standard output"},
      {"new " + dir + "-other --set 'Colour\x1b[31m=" + std::string(5000, 'x') + "'", 2,
       "unknown profile field 'Colour\\x1B[31m'"},
      {"osinfo", 2, ""},
      {"osinfo a b", 2, ""},
      {"fields --colour", 2, "--colour"},
      {"osinfo " + none, 1, "the folder does not exist"},
      {"new " + dir, 1, "it is not empty"},
      {"new " + dir + "-other --preset win11", 2, "unknown preset 'win11'"},
      {"new " + dir + "-other --set Colour=blue", 2, "unknown profile field 'Colour'"},
      {"new " + dir + "-other --set dwMajorVersion", 2, "expected FIELD=VALUE"},
      {"new " + dir + "-other --set 'Security:C:\\x=D:(A;;FA;;;Nobody)'", 2,
       "'Nobody' is neither an account alias nor an S-1-... identifier"},
      {"new " + dir + "-other --set 'Security:C:\\x=allow=Users:1'", 2, "expected O:, G: or D:"},
      {"new", 2, "DIR is required"},
      {"set " + dir + " dwmajorversion=5", 2, "did you mean dwMajorVersion?"},
      {"path " + dir + " /etc/passwd", 1, "is not a path of the machine"},
      {"path /nonexistent/machine 'C:\\'", 1, "the folder does not exist"},
      {"path " + dir, 2, "WINPATH is required"},
      {"path " + dir + " 'C:\\" + std::string(300, 'a') + "'", 1,
       "a name in the Windows path 'C:\\aaa"},
      {"ls " + dir + " 'C:\\none'", 1, "no file or folder 'C:\\none' on the machine\n"},
      {"fileinfo " + dir + " 'C:\\Windows\\none.dll'", 1,
       "no file 'C:\\Windows\\none.dll' on the machine\n"},
      {"reg " + dir + " list", 2, ""},
      {"diff " + scratch.folder().string() + " " + dir, 2, ""},
      {"uninstall " + dir + " --answer Yes", 1, "no uninstall entry"},
      {"run " + none, 1, "the folder does not exist"},
      {"run " + dir + " --answer Maybe", 2, "--answer: Maybe not in {Yes,No,OK}"},
      {"run " + dir + " --screenshot " + dir + "/shot.jpeg", 2,
       "is neither a .png file nor a folder"},
      {"run " + dir + " --screenshot /nonexistent/shot.png", 1,
       "the folder /nonexistent does not exist"},
      {"run " + dir + " --click", 2, "--click"},
      {"run " + dir + " --hold -1", 2, "--hold: Value -1 not in range 0 to 3600"},
      {"run " + dir + " --headless --gui", 2, "--headless excludes --gui"},
      {"run " + dir + " --headless --screenshot x.png", 2, "excludes"},
  };
  for (const auto& c : cases) {
    const LynsimResult result = scratch.Lynsim(c.arguments);
    EXPECT_EQ(result.status, c.status) << c.arguments << "\n" << result.err;
    EXPECT_TRUE(result.err.starts_with("lynsim: ")) << c.arguments << ": " << result.err;
    EXPECT_NE(result.err.find(c.message), std::string::npos) << c.arguments << ": " << result.err;
    EXPECT_EQ(result.err.find('\n'), result.err.size() - 1) << c.arguments << ": " << result.err;
    EXPECT_LT(result.err.size(), 260u) << c.arguments;
    EXPECT_EQ(result.err.find('\x1b'), std::string::npos) << c.arguments;
    EXPECT_EQ(result.out, "") << c.arguments;
  }
  EXPECT_FALSE(std::filesystem::exists(dir + "-other"));
}

}  // namespace
