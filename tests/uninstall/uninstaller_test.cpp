#include "uninstall/uninstaller.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <map>

#include "fakes/held_file.h"
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

class Uninstaller : public ::testing::Test {
 protected:
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
  LoggedInstall install = InstallOnMachine(machine);
};

// A user's file keeps its folder; a program file in use and a read-only map
// stay and are named with the reason; a file already gone is not mentioned;
// everything else goes.
TEST_F(Uninstaller, GoesOnPastWhatItCannotRemoveAndSaysWhy) {
  const SetupState& s = install.state;
  machine.PutFile(s.ProgramFolder + "\\My notes.txt", "mine");
  std::filesystem::remove(machine.Host(s.ProgramFolder + "\\QY.chm"));  // already gone
  const fakes::HeldFile running(machine.machine(), s.ProgramFolder + "\\LYN.exe");
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

// Removed in full, the run says which shared files it kept, and the entry is
// gone; a second run finds no log and changes nothing.
TEST_F(Uninstaller, RemovesEverythingButTheSharedFilesOnce) {
  ASSERT_EQ(Run(), UninstallOutcome::Removed) << LastBox();
  ASSERT_EQ(user32.boxes.size(), 2u);
  EXPECT_EQ(user32.boxes[0].type, win::MB_YESNO | win::MB_ICONQUESTION);
  EXPECT_NE(user32.boxes[0].text.find("remove Lynwood Catalog Suite 6.7"), std::string::npos);
  EXPECT_EQ(user32.boxes[1].type, win::MB_OK | win::MB_ICONINFORMATION);
  EXPECT_NE(LastBox().find(install.state.DaoFolder + "\\dao360.dll"), std::string::npos);
  EXPECT_FALSE(EntryPresent());
  EXPECT_FALSE(machine.Exists(install.state.ProgramFolder));

  const auto removed = Snapshot(machine);
  EXPECT_EQ(Run(), UninstallOutcome::LogRefused);
  EXPECT_EQ(LastBox(), "The uninstall log " + Log() + " is missing.\r\nNothing was removed.");
  EXPECT_EQ(Snapshot(machine), removed);
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
