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
  const LynsimResult version = scratch.Lynsim("--version");
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out, "lynsim 6.7.0.0\n");

  for (const std::string command : {"new", "set", "presets", "fields", "osinfo", "run", "path",
                                    "ls", "fileinfo", "survey", "diff", "uninstall"}) {
    const LynsimResult help = scratch.Lynsim(command + " --help");
    EXPECT_EQ(help.status, 0) << command << help.err;
    EXPECT_NE(help.out.find("Usage: lynsim " + command), std::string::npos) << help.out;
    EXPECT_NE(help.out.find("Example:\n  lynsim " + command), std::string::npos) << help.out;
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
      {"frobnicate", 2, ""},
      {"osinfo", 2, ""},
      {"osinfo a b", 2, ""},
      {"fields --colour", 2, "--colour"},
      {"osinfo " + none, 1, "the folder does not exist"},
      {"new " + dir, 1, "it is not empty"},
      {"new " + dir + "-other --preset win11", 2, "unknown preset 'win11'"},
      {"new " + dir + "-other --set Colour=blue", 2, "unknown profile field 'Colour'"},
      {"new " + dir + "-other --set dwMajorVersion", 2, "expected FIELD=VALUE"},
      {"new " + dir + "-other --set 'Security:C:\\x=allow=Nobody:1'", 2,
       "'allow=Nobody:1': the machine has no account 'Nobody'"},
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
    EXPECT_EQ(result.out, "") << c.arguments;
  }
  EXPECT_FALSE(std::filesystem::exists(dir + "-other"));
}

}  // namespace
