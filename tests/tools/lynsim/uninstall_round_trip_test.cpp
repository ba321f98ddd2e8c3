// End to end: the product installed by the setup program, completely or cut
// short, and then removed by `lynsim uninstall`; the machine compared before
// and after by `lynsim diff`.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>

#include "platform/sim/machine/host_view.h"
#include "platform/sim/machine/machine.h"
#include "platform/sim/registry/registry_text.h"
#include "tools/lynsim/lynsim_process.h"

namespace {

namespace fs = std::filesystem;
using lyn::testing::LynsimResult;
using lyn::testing::ScratchMachine;

constexpr const char* kEntryKey =
    "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\LYN67";

// How the install is cut short before the uninstaller runs; kills are made
// by cutting what the install left where the kill would have stopped it.
enum class Cut {
  None,
  UninstallerGone,  // a removal killed after deleting its own file
  OnlyEntryLeft,    // a removal killed before its last step, the entry
};

struct RoundTripCase {
  const char* name;
  const char* newArgs;
  Cut cut = Cut::None;
  const char* note = "";  // what lynsim says on its error output, in part
  // How many of the Windows and system folders the permission timer grants:
  // it tries where the program lacks a right, and succeeds where it may.
  int grants = 0;
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
  lyn::sim::Machine Machine() const { return lyn::sim::Machine::Open(scratch.machine()); }
  fs::path Host(const std::string& path) const { return lyn::sim::HostPathOf(Machine(), path); }
  // An install stopped by a missing map or killed before logging its desktop
  // shortcut is the scenarios missing-map.t's and uninstall-leftovers.t's.
  void InstallCutShort() const {
    ASSERT_EQ(Install().status, 0);
    if (GetParam().cut == Cut::UninstallerGone) {
      fs::remove(Host(Machine().profile().WindowsDirectory + "\\UninstallLYN67.exe"));
    } else if (GetParam().cut == Cut::OnlyEntryLeft) {
      const std::string entry = lyn::sim::ExportRegistry(Machine(), kEntryKey);
      ASSERT_EQ(Uninstall().status, 0);
      lyn::sim::ImportRegistry(Machine(), entry);
    }
  }

  ScratchMachine scratch{GetParam().newArgs};
};

// Installed, cut short or not, and removed, the machine differs from before
// only in the shared system and DAO files (registered) and the access-list
// grants; the entry is gone, and a new install goes into the same folder.
TEST_P(UninstallRoundTrip, LeavesOnlySharedFilesAndGrants) {
  const std::string before = (scratch.folder() / "before").string();
  ASSERT_EQ(std::system(("cp -a '" + scratch.machine() + "' '" + before + "'").c_str()), 0);
  InstallCutShort();
  LynsimResult result = Uninstall();
  ASSERT_EQ(result.status, 0) << result.err << result.out;
  EXPECT_NE(result.out.find("Lynwood Catalog Suite 6.7 was removed"), std::string::npos)
      << result.out;
  EXPECT_NE(result.err.find(GetParam().note), std::string::npos) << result.err;

  const lyn::sim::Profile profile = Machine().profile();
  const std::string shared = profile.CommonFiles + "\\Microsoft Shared";
  result = scratch.Lynsim("diff '" + before + "' " + scratch.machine());
  std::istringstream lines(result.out);
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
    EXPECT_TRUE(system || dao || line.starts_with("access ")) << line;
  }
  EXPECT_EQ(usersGrants, GetParam().grants) << "the Windows and system folders";
  EXPECT_THROW(lyn::sim::ExportRegistry(Machine(), kEntryKey), std::exception)
      << "the uninstall entry is gone";

  ASSERT_EQ(Install().status, 0);
  EXPECT_TRUE(fs::exists(Host(profile.ProgramFiles + "\\LYN\\LYN.exe")));
  EXPECT_FALSE(fs::exists(Host(profile.ProgramFiles + "\\LYN01")));
}

INSTANTIATE_TEST_SUITE_P(
    Installs, UninstallRoundTrip,
    ::testing::Values(
        // Windows 7's Windows and system folders belong to TrustedInstaller,
        // whose lists an administrator may not change: the timer tries and
        // fails. A system folder the administrators own takes the grant.
        RoundTripCase{"Windows7", "--preset win7-ultimate-sp1"},
        RoundTripCase{"WindowsXp", "--preset winxp-pro"},
        RoundTripCase{"Windows7WithGrants",
                      "--preset win7-ultimate-sp1 --set 'Security:C:\\Windows\\system32="
                      "O:BAD:P(A;OICI;0x1200a9;;;BA)(A;OICI;FA;;;SY)'",
                      Cut::None, "", 1},
        RoundTripCase{"RemovalKilledAfterItsOwnFile", "", Cut::UninstallerGone,
                      "running the uninstaller the product ships"},
        RoundTripCase{"RemovalKilledBeforeTheEntry", "", Cut::OnlyEntryLeft,
                      "running the uninstaller the product ships"}),
    [](const ::testing::TestParamInfo<RoundTripCase>& info) { return info.param.name; });

}  // namespace
