// The command line as a whole: the version, every command's help with an
// example, and the usage errors common to all commands.
#include <gtest/gtest.h>

#include <string>

#include "tools/lynsim/lynsim_process.h"

namespace {

using lyn::testing::LynsimResult;
using lyn::testing::ScratchMachine;

TEST(LynsimHelpTest, VersionAndEveryCommandsHelp) {
  const ScratchMachine scratch;
  const LynsimResult version = scratch.Lynsim("--version");
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out, "lynsim 6.7.0.0\n");

  for (const char* command : {"new", "set", "presets", "fields", "osinfo", "run", "path", "ls",
                              "fileinfo", "survey", "diff", "uninstall"}) {
    const LynsimResult help = scratch.Lynsim(std::string(command) + " --help");
    EXPECT_EQ(help.status, 0) << command << help.err;
    EXPECT_NE(help.out.find("Usage: lynsim " + std::string(command)), std::string::npos)
        << help.out;
    EXPECT_NE(help.out.find("Example:\n  lynsim " + std::string(command)), std::string::npos)
        << help.out;
  }
  EXPECT_NE(scratch.Lynsim("run --help").out.find("  3  the script did not fit"),
            std::string::npos);
}

TEST(LynsimHelpTest, UsageErrorsAreOneLineWithStatusTwo) {
  const ScratchMachine scratch;
  for (const char* args : {"", "frobnicate", "osinfo", "osinfo a b", "fields --colour"}) {
    const LynsimResult result = scratch.Lynsim(args);
    EXPECT_EQ(result.status, 2) << args;
    EXPECT_EQ(result.err.rfind("lynsim: ", 0), 0u) << args << ": " << result.err;
    EXPECT_EQ(result.err.find('\n'), result.err.size() - 1) << args << ": " << result.err;
    EXPECT_EQ(result.out, "") << args;
  }
}

}  // namespace
