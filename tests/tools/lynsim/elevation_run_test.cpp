// End to end: the setup program and its uninstaller ask for administrator
// rights, and each person's machine starts them as Windows does (see
// docs/default-access-lists.md for the sources).
#include <gtest/gtest.h>

#include <string>

#include "platform/sim/machine/machine.h"
#include "tools/lynsim/lynsim_process.h"

namespace {

using lyn::testing::LynsimResult;
using lyn::testing::ScratchMachine;

constexpr const char* kInstall = " --headless --click lblAcceptYes --click cmdOK --click cmdExit";
const std::string kCancelled =
    "ended: not started, error 1223 (The operation was canceled by the user.)\n";

bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

TEST(ElevationRunTest, EachPersonsRunStartsAsWindowsStartsIt) {
  const struct Row {
    const char* why;
    const char* newArgs;
    int status;
    std::string start;  // the transcript's beginning, or all of it when the program did not start
    bool installed;     // the program folder and the uninstall entry are there afterwards
  } rows[] = {
      {"an administrator who declines", "--set ElevationAnswer=No", 4,
       "elevation: consent No\n" + kCancelled, false},
      {"a standard user who does not know an administrator's password",
       "--set IsAdmin=false --set ElevationAnswer=No", 4,
       "elevation: credentials No\n" + kCancelled, false},
      {"a standard user with User Account Control off", "--set IsAdmin=false --set EnableLUA=false",
       4, "ended: not started, error 740 (The requested operation requires elevation.)\n", false},
      {"a standard user who types an administrator's password runs as that administrator",
       "--set IsAdmin=false", 0, "elevation: credentials Yes\nshown: frmSetup", true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.why);
    const ScratchMachine scratch(row.newArgs);
    const LynsimResult result = scratch.Lynsim("run " + scratch.machine() + kInstall);
    EXPECT_EQ(result.status, row.status) << result.err;
    if (row.status == 4) {
      EXPECT_EQ(result.out, row.start);
    } else {
      EXPECT_TRUE(result.out.starts_with(row.start)) << result.out;
      EXPECT_TRUE(result.out.ends_with("ended: Finish\n")) << result.out;
    }
    const LynsimResult entry = scratch.Lynsim(
        "reg " + scratch.machine() +
        " export 'HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\LYN67'");
    EXPECT_EQ(entry.status == 0, row.installed) << entry.out;
    EXPECT_EQ(lyn::sim::Machine::Open(scratch.machine()).Resolve("C:\\Program Files\\LYN").exists,
              row.installed);
  }
}

// The uninstaller asks the same: declined, it does not start and the
// product stays. The uninstall entry the elevated install made belongs to
// Administrators, who take CREATOR OWNER's full control of it.
TEST(ElevationRunTest, ADeclinedUninstallerLeavesTheProduct) {
  const ScratchMachine scratch;
  ASSERT_EQ(scratch.Lynsim("run " + scratch.machine() + kInstall).status, 0);
  const std::string acl =
      scratch
          .Lynsim("acl " + scratch.machine() +
                  " 'HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\LYN67' --sddl")
          .out;
  EXPECT_TRUE(acl.starts_with("O:BAG:")) << acl;
  EXPECT_TRUE(Has(acl, "D:(A;ID;KA;;;BA)")) << acl;
  ASSERT_EQ(scratch.Lynsim("set " + scratch.machine() + " ElevationAnswer=No").status, 0);
  const LynsimResult result =
      scratch.Lynsim("uninstall " + scratch.machine() + " --answer Yes --answer OK");
  EXPECT_EQ(result.status, 4) << result.err;
  EXPECT_EQ(result.out, "elevation: consent No\n" + kCancelled);
  EXPECT_TRUE(
      lyn::sim::Machine::Open(scratch.machine()).Resolve("C:\\Program Files\\LYN\\LYN.exe").exists);
}

}  // namespace
