// End to end: the product installed by `lynsim run` and removed by
// `lynsim uninstall`, the machine compared before and after by `lynsim diff`.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>

#include "platform/sim/machine/machine.h"
#include "tools/lynsim/lynsim_process.h"

namespace {

namespace fs = std::filesystem;
using lyn::testing::LynsimResult;
using lyn::testing::ScratchMachine;

struct RoundTripCase {
  const char* name;
  const char* newArgs;
  bool grants;  // the user lacks rights on the system folder, so the run grants them
};

class UninstallRoundTrip : public ::testing::TestWithParam<RoundTripCase> {
 protected:
  LynsimResult Install() const {
    return scratch.Lynsim("run " + scratch.machine() +
                          " --headless --click lblAcceptYes --click cmdOK --click cmdExit");
  }
  LynsimResult Uninstall() const {
    return scratch.Lynsim("uninstall " + scratch.machine() + " --yes");
  }
  fs::path Host(const std::string& path) const {
    return lyn::sim::Machine::Open(scratch.machine()).Resolve(path).hostPath;
  }

  ScratchMachine scratch{GetParam().newArgs};
};

// Installed and removed, the machine differs from before only in the shared
// system and DAO files (registered) and the access-list grants; the entry is gone, a new
// install goes into the same folder, and without its program the entry has
// nothing to run.
TEST_P(UninstallRoundTrip, LeavesOnlySharedFilesAndGrants) {
  const std::string before = (scratch.folder() / "before").string();
  ASSERT_EQ(std::system(("cp -a '" + scratch.machine() + "' '" + before + "'").c_str()), 0);
  ASSERT_EQ(Install().status, 0);
  LynsimResult result = Uninstall();
  ASSERT_EQ(result.status, 0) << result.err << result.out;
  EXPECT_NE(result.out.find("Lynwood Catalog Suite 6.7 was removed."), std::string::npos)
      << result.out;

  const lyn::sim::Profile profile = lyn::sim::Machine::Open(scratch.machine()).profile();
  const std::string shared = profile.CommonFiles + "\\Microsoft Shared";
  result = scratch.Lynsim("diff '" + before + "' " + scratch.machine());
  EXPECT_EQ(result.status, 1) << result.err;
  std::istringstream lines(result.out);
  int sharedFiles = 0;
  int usersGrants = 0;
  for (std::string line; std::getline(lines, line);) {
    usersGrants += line.starts_with("access added: ") &&
                   line.find(": BUILTIN\\Users:(OI)(CI)(F)") != std::string::npos;
    const bool system = line.starts_with("file added: " + profile.SystemDirectory + "\\") ||
                        line.starts_with("file changed: " + profile.SystemDirectory + "\\") ||
                        line.starts_with("registration added: " + profile.SystemDirectory);
    const bool dao = line == "folder added: " + shared ||
                     line == "folder added: " + shared + "\\DAO" ||
                     line == "file added: " + shared + "\\DAO\\dao360.dll" ||
                     line == "registration added: " + shared + "\\DAO\\dao360.dll";
    sharedFiles += system || dao ? line.starts_with("file") : 0;
    EXPECT_TRUE(system || dao || line.starts_with("access ")) << line;
  }
  EXPECT_GT(sharedFiles, 0);
  EXPECT_EQ(usersGrants, GetParam().grants ? 2 : 0) << "the Windows and system folders";

  result = scratch.Lynsim("reg " + scratch.machine() +
                          " export 'HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall"
                          "\\LYN67'");
  EXPECT_EQ(result.status, 1) << "the uninstall entry is gone";
  ASSERT_EQ(Install().status, 0);
  EXPECT_TRUE(fs::exists(Host(profile.ProgramFiles + "\\LYN\\LYN.exe")));
  EXPECT_FALSE(fs::exists(Host(profile.ProgramFiles + "\\LYN01")));

  fs::remove(Host(profile.WindowsDirectory + "\\UninstallLYN67.exe"));
  result = Uninstall();
  EXPECT_EQ(result.status, 1);
  EXPECT_NE(result.err.find("UninstallLYN67.exe' is not on the machine"), std::string::npos)
      << result.err;
}

INSTANTIATE_TEST_SUITE_P(
    Presets, UninstallRoundTrip,
    ::testing::Values(RoundTripCase{"Windows7", "--preset win7-ultimate-sp1", false},
                      RoundTripCase{"WindowsXp", "--preset winxp-pro", false},
                      RoundTripCase{
                          "Windows7WithGrants",
                          "--preset win7-ultimate-sp1 --set 'Security:C:\\Windows\\system32="
                          "O:BAD:P(A;OICI;0x1200a9;;;BA)(A;OICI;FA;;;SY)'",
                          true}),
    [](const ::testing::TestParamInfo<RoundTripCase>& info) { return info.param.name; });

}  // namespace
