#include "uninstall/uninstaller.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <map>

#include "uninstall/logged_install.h"

namespace lyn::uninstall {
namespace {

namespace fs = std::filesystem;

// Every file and folder on the machine's drives, with the files' bytes.
std::map<std::string, std::string> Snapshot(const fakes::MachinePlatform& machine) {
  std::map<std::string, std::string> entries;
  const fs::path drives = machine.machine().Root() / "drives";
  for (const auto& entry : fs::recursive_directory_iterator(drives)) {
    std::string bytes;
    if (entry.is_regular_file()) {
      std::ifstream in(entry.path(), std::ios::binary);
      bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    entries[entry.path().lexically_relative(drives).string()] = bytes;
  }
  return entries;
}

// Paths present in one snapshot and not the other, or with other bytes.
std::vector<std::string> Differences(const std::map<std::string, std::string>& a,
                                     const std::map<std::string, std::string>& b) {
  std::vector<std::string> changed;
  for (const auto& [path, bytes] : a) {
    const auto other = b.find(path);
    if (other == b.end() || other->second != bytes) changed.push_back(path);
  }
  for (const auto& [path, bytes] : b) {
    if (a.count(path) == 0) changed.push_back(path);
  }
  return changed;
}

class Uninstaller : public ::testing::Test {
 protected:
  explicit Uninstaller(const sim::Profile& profile = sim::Profile{}) : machine(profile) {}

  UninstallOutcome Run(int answer = win::IDYES) {
    user32.answers = {answer, win::IDOK};
    user32.boxes.clear();
    Platform& sim = machine.platform();
    Platform platform{sim.kernel32, user32,      sim.version,          sim.shell32,
                      sim.setupapi, sim.widgets, sim.advapi32Security, sim.registry,
                      sim.com,      sim.library};
    return RunUninstall(platform);
  }
  // Whether the uninstall entry is in the machine's registry.
  bool EntryPresent() {
    win::HKEY key = 0;
    const win::LONG status = machine.platform().registry.RegOpenKeyExA(
        win::HKEY_LOCAL_MACHINE, std::string(kUninstallKeyPath).c_str(), 0, win::KEY_READ, &key);
    if (status == 0) machine.platform().registry.RegCloseKey(key);
    return status == 0;
  }
  std::string LastBox() const { return user32.boxes.empty() ? "" : user32.boxes.back().text; }
  std::string Log() const { return install.state.WindowsFolder + "\\UnInstallLYN.log"; }

  fakes::MachinePlatform machine;
  fakes::FakeUser32 user32;
  std::map<std::string, std::string> before = Snapshot(machine);
  LoggedInstall install = InstallOnMachine(machine);
};

class RoundTrip : public Uninstaller, public ::testing::WithParamInterface<const char*> {
 protected:
  RoundTrip() : Uninstaller(sim::FindPreset(GetParam()).profile) {}
};

// Install and uninstall leave the machine as it was, but for the shared
// system and DAO files; a second run finds no log and changes nothing.
TEST_P(RoundTrip, LeavesOnlyTheSharedFiles) {
  ASSERT_EQ(Run(), UninstallOutcome::Removed) << LastBox();
  ASSERT_EQ(user32.boxes.size(), 2u);
  EXPECT_EQ(user32.boxes[0].type, win::MB_YESNO | win::MB_ICONQUESTION);
  EXPECT_NE(user32.boxes[0].text.find("remove Lynwood Catalog Suite 6.7"), std::string::npos);
  EXPECT_EQ(user32.boxes[1].type, win::MB_OK | win::MB_ICONINFORMATION);
  EXPECT_FALSE(EntryPresent());

  const fs::path drives = machine.machine().Root() / "drives";
  const auto shared = [&](const std::string& path) {
    const fs::path host = machine.Host(path).lexically_relative(drives);
    return host.string();
  };
  const std::string system = shared(install.state.SystemFolder);
  const std::string dao = shared(install.state.DaoFolder);
  const auto after = Snapshot(machine);
  std::size_t sharedFiles = 0;
  for (const std::string& path : Differences(before, after)) {
    const bool inShared = path.rfind(system + "/", 0) == 0 || path.rfind(dao + "/", 0) == 0 ||
                          dao.rfind(path, 0) == 0;
    EXPECT_TRUE(inShared) << path;
    sharedFiles += after.count(path) != 0 && !after.at(path).empty();
  }
  EXPECT_EQ(sharedFiles, 25u);
  EXPECT_NE(LastBox().find(install.state.DaoFolder + "\\dao360.dll"), std::string::npos);
  EXPECT_FALSE(machine.Exists(install.state.ProgramFolder));

  const auto removed = Snapshot(machine);
  EXPECT_EQ(Run(), UninstallOutcome::LogRefused);
  EXPECT_EQ(LastBox(), "The uninstall log " + Log() + " is missing.\r\nNothing was removed.");
  EXPECT_EQ(Snapshot(machine), removed);
}

INSTANTIATE_TEST_SUITE_P(Presets, RoundTrip, ::testing::Values("win7-ultimate-sp1", "winxp-pro"));

// A user's file keeps its folder; a program file in use and a read-only map
// stay and are named with the reason; a file already gone is not mentioned;
// everything else goes.
TEST_F(Uninstaller, GoesOnPastWhatItCannotRemoveAndSaysWhy) {
  const SetupState& s = install.state;
  machine.PutFile(s.ProgramFolder + "\\My notes.txt", "mine");
  std::filesystem::remove(machine.Host(s.ProgramFolder + "\\QY.chm"));  // already gone
  machine.machine().SetInUse(s.ProgramFolder + "\\LYN.exe", true);
  const std::string map = s.MapsFolder + "\\Map01_Harbour.jpg";
  machine.SetAttributes(map, win::FILE_ATTRIBUTE_READONLY);

  ASSERT_EQ(Run(), UninstallOutcome::PartlyLeft);
  EXPECT_EQ(user32.boxes.back().type, win::MB_OK | win::MB_ICONEXCLAMATION);
  const std::string report = LastBox();
  EXPECT_EQ(report.find("Lynwood Catalog Suite 6.7 was removed.\r\n\r\n"
                        "These could not be removed:\r\n" +
                        s.ProgramFolder + "\\LYN.exe (in use)\r\n" + map + " (read-only)\r\n" +
                        s.MapsFolder + " (not empty)\r\n" + s.ProgramFolder +
                        " (not empty)\r\n\r\n"
                        "Shared files kept"),
            0u)
      << report;
  EXPECT_EQ(machine.ReadFile(s.ProgramFolder + "\\My notes.txt"), "mine");
  EXPECT_TRUE(machine.Exists(s.ProgramFolder + "\\LYN.exe"));
  EXPECT_FALSE(machine.Exists(s.ProgramFolder + "\\QY.chm"));
  EXPECT_FALSE(machine.Exists(s.ProgramFolder + "\\InstallInfo.log"));
  EXPECT_FALSE(machine.Exists(install.programGroup));
  EXPECT_FALSE(machine.Exists(Log()));
  EXPECT_FALSE(machine.Exists(s.WindowsFolder + "\\UninstallLYN67.exe"));
}

TEST_F(Uninstaller, ChangesNothingOnNoOrADamagedLog) {
  const auto installed = Snapshot(machine);
  EXPECT_EQ(Run(win::IDNO), UninstallOutcome::Declined);
  EXPECT_EQ(user32.boxes.size(), 1u);
  EXPECT_EQ(Snapshot(machine), installed);

  std::string text = machine.ReadFile(Log());
  text.resize(text.size() - 4);  // the two empty lines after "[END]"
  machine.PutFile(Log(), text);
  const auto damaged = Snapshot(machine);
  EXPECT_EQ(Run(), UninstallOutcome::LogRefused);
  ASSERT_EQ(user32.boxes.size(), 1u);
  EXPECT_EQ(user32.boxes[0].type, win::MB_OK | win::MB_ICONSTOP);
  EXPECT_EQ(LastBox(), "The uninstall log " + Log() +
                           " is damaged (line 199: expected \"\").\r\nNothing was removed.");
  EXPECT_EQ(Snapshot(machine), damaged);
  EXPECT_TRUE(EntryPresent());
}

}  // namespace
}  // namespace lyn::uninstall
