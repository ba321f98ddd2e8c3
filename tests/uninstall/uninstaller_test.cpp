#include "uninstall/uninstaller.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <map>
#include <memory>

#include "fakes/held_file.h"
#include "uninstall/logged_install.h"

namespace lyn::uninstall {
namespace {

namespace fs = std::filesystem;

// A machine with the product installed, and the uninstaller run on it with
// its message boxes answered from a list.
class InstalledMachine {
 public:
  explicit InstalledMachine(const sim::Profile& profile = sim::Profile{})
      : machine(profile), install(InstallOnMachine(machine)) {}

  UninstallOutcome Uninstall(int answer = win::IDYES) {
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
  // Every file and folder on the machine's drives, with the files' bytes,
  // and whether the entry is there.
  std::map<std::string, std::string> Snapshot() {
    std::map<std::string, std::string> entries{{"(uninstall entry)", EntryPresent() ? "yes" : ""}};
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
  std::string Question() const { return user32.boxes.empty() ? "" : user32.boxes.front().text; }
  std::string LastBox() const { return user32.boxes.empty() ? "" : user32.boxes.back().text; }
  std::string Log() const { return install.state.WindowsFolder + "\\UnInstallLYN.log"; }

  fakes::MachinePlatform machine;
  fakes::FakeUser32 user32;
  LoggedInstall install;
};

class Uninstaller : public ::testing::Test, public InstalledMachine {};

// A user's file keeps its folder; a program file in use and a read-only map
// stay and are named with the reason; a file already gone is not mentioned;
// everything else goes but the uninstaller, its log and the entry, which
// stay until a second run, once the files are free, removes the rest. The
// user's file does not keep them.
TEST_F(Uninstaller, GoesOnPastWhatItCannotRemoveSaysWhyAndStaysToFinish) {
  const SetupState& s = install.state;
  machine.PutFile(s.ProgramFolder + "\\My notes.txt", "mine");
  std::filesystem::remove(machine.Host(s.ProgramFolder + "\\QY.chm"));  // already gone
  auto running =
      std::make_unique<fakes::HeldFile>(machine.machine(), s.ProgramFolder + "\\LYN.exe");
  const std::string map = s.MapsFolder + "\\Map01_Harbour.jpg";
  machine.SetAttributes(map, win::FILE_ATTRIBUTE_READONLY);

  ASSERT_EQ(Uninstall(), UninstallOutcome::PartlyLeft);
  EXPECT_EQ(user32.boxes.back().type, win::MB_OK | win::MB_ICONEXCLAMATION);
  EXPECT_EQ(LastBox().find("Lynwood Catalog Suite 6.7 was not removed completely.\r\n\r\n"
                           "These could not be removed:\r\n" +
                           s.ProgramFolder + "\\LYN.exe (in use)\r\n" + map + " (read-only)\r\n" +
                           s.MapsFolder + " (not empty)\r\n" + s.ProgramFolder +
                           " (not empty)\r\n\r\n"
                           "Run the uninstaller again to remove them; it stays on this computer "
                           "until then.\r\n\r\nShared files kept"),
            0u)
      << LastBox();
  EXPECT_FALSE(machine.Exists(s.ProgramFolder + "\\QY.chm"));
  EXPECT_FALSE(machine.Exists(s.ProgramFolder + "\\InstallInfo.log"));
  EXPECT_FALSE(machine.Exists(install.programGroup));
  EXPECT_TRUE(machine.Exists(Log()));
  EXPECT_TRUE(machine.Exists(s.WindowsFolder + "\\UninstallLYN67.exe"));
  EXPECT_TRUE(EntryPresent());

  running.reset();
  machine.SetAttributes(map, 0);
  ASSERT_EQ(Uninstall(), UninstallOutcome::PartlyLeft);
  EXPECT_EQ(LastBox().find("Lynwood Catalog Suite 6.7 was removed.\r\n\r\n"
                           "These could not be removed:\r\n" +
                           s.ProgramFolder + " (not empty)\r\n\r\nShared files kept"),
            0u)
      << LastBox();
  EXPECT_EQ(machine.ReadFile(s.ProgramFolder + "\\My notes.txt"), "mine");
  EXPECT_FALSE(machine.Exists(s.ProgramFolder + "\\LYN.exe"));
  EXPECT_FALSE(machine.Exists(Log()));
  EXPECT_FALSE(machine.Exists(s.WindowsFolder + "\\UninstallLYN67.exe"));
  EXPECT_FALSE(EntryPresent());
}

// Removed in full, the run says which shared files it kept. A removal
// killed after any of its steps leaves what a second run removes:
// each state is made by carrying out the plan's first steps on the product
// installed anew (skipping cuts after a step that finds nothing to remove,
// which leave the state of the cut before), and the second run must leave
// the machine as one uninterrupted run does. Once only the uninstall entry is left (the log went
// just before it), the run offers to remove the entry from the list of
// installed programs; once nothing is left, a run finds no log and changes
// nothing.
TEST_F(Uninstaller, FinishesARemovalCutShortAfterAnyStep) {
  const InstallPlaces places = InstallPlaces::Find(machine.platform());
  const auto Plan = [&] {
    UninstallLogReader reader(places, [](std::string_view line) { return std::string(line); });
    reader.Take(UninstallLogText(machine));
    return PlanRemoval(std::get<UninstallLog>(reader.Finish()), places);
  };
  const std::vector<Step> steps = Plan().steps;
  std::vector<std::size_t> cuts{0};
  for (std::size_t done = 1; done <= steps.size(); ++done) {
    const Step& last = steps[done - 1];
    if (last.action == Action::DeleteUninstallEntry || machine.Exists(last.path)) {
      cuts.push_back(done);
    }
  }
  ASSERT_EQ(Uninstall(), UninstallOutcome::Removed) << LastBox();
  EXPECT_EQ(Question(), "Do you want to remove Lynwood Catalog Suite 6.7 from this computer?");
  EXPECT_EQ(user32.boxes[1].type, win::MB_OK | win::MB_ICONINFORMATION);
  EXPECT_NE(LastBox().find(install.state.DaoFolder + "\\dao360.dll"), std::string::npos);
  const auto removed = Snapshot();

  for (const std::size_t done : cuts) {
    InstallOnMachine(machine);
    RemovalPlan plan = Plan();
    plan.steps.resize(done);
    CarryOut(machine.platform(), plan);

    const UninstallOutcome outcome = Uninstall();
    EXPECT_EQ(Snapshot(), removed) << "cut after " << done << " steps";
    if (done == steps.size()) {
      EXPECT_EQ(outcome, UninstallOutcome::LogRefused);
    } else if (done == steps.size() - 1) {
      EXPECT_EQ(outcome, UninstallOutcome::Removed);
      EXPECT_EQ(Question(), "The uninstall log " + Log() +
                                " is missing, and so is the program the uninstall entry names (" +
                                install.state.ProgramFolder +
                                "\\LYN.exe): Lynwood Catalog Suite 6.7 has been removed "
                                "already.\r\n\r\nDo you want to remove it from the list of "
                                "installed programs?");
      EXPECT_EQ(LastBox(),
                "Lynwood Catalog Suite 6.7 was removed from the list of installed programs.");
    } else {
      EXPECT_EQ(outcome, UninstallOutcome::Removed) << done << ": " << LastBox();
    }
  }
}

// An install killed in its file phase, after the program files and before
// the uninstaller was placed: its log stops there. The run says so, and
// removes the program and map files whether or not the log got to them, and
// what the setup program left in its temporary folder; the desktop, which
// the install had not reached, is not touched.
TEST_F(Uninstaller, RemovesWhatAnInstallCutShortLeft) {
  const SetupState& s = install.state;
  std::string text = UninstallLogText(machine);
  text.resize(text.find("[WINDOWS]") + 4);
  machine.PutFile(Log(), text);
  const std::string temp = InstallPlaces::Find(machine.platform()).setupTemp;
  machine.PutFile(temp + "\\Map05_MarketSquare.jpg", "extracted");

  EXPECT_EQ(Uninstall(), UninstallOutcome::Removed) << LastBox();
  const int line = static_cast<int>(std::count(text.begin(), text.end(), '\n')) + 1;
  EXPECT_EQ(Question().find("The uninstall log " + Log() + " is incomplete from line " +
                            std::to_string(line) + ": the installation did not finish."),
            0u)
      << Question();
  EXPECT_FALSE(machine.Exists(s.ProgramFolder));
  EXPECT_FALSE(machine.Exists(temp));
  EXPECT_FALSE(machine.Exists(Log()));
  EXPECT_FALSE(EntryPresent());
  EXPECT_TRUE(machine.Exists(install.desktop + "\\LYN.lnk"));
}

// A log that names the person's folders as the product's is not the
// install's: nothing is removed on its word. Without a log, the entry's
// program folder leads the removal, which takes only the product's.
TEST_F(Uninstaller, TakesNothingOfThePersonsOnAnEditedOrMissingLog) {
  const std::string documents = "C:\\Users\\Owner\\Documents";
  machine.PutFile(documents + "\\QY.chm", "my own help file");
  machine.PutFile(documents + "\\Maps\\Map01_Harbour.jpg", "my own map");
  machine.PutFile(install.desktop + "\\Letter.doc", "mine");
  const std::string text = UninstallLogText(machine);
  const auto Edited = [&](const std::string& from, const std::string& to) {
    std::string edited = text;
    for (std::size_t at = 0; (at = edited.find(from, at)) != std::string::npos; at += to.size()) {
      edited.replace(at, from.size(), to);
    }
    return edited;
  };
  const std::string folders[][2] = {{install.state.ProgramFolder, documents},
                                    {install.programGroup, install.desktop}};
  for (const auto& [from, to] : folders) {
    const std::string edited = Edited(from, to);
    const auto line = std::count(edited.begin(), edited.begin() + edited.find(to), '\n') + 1;
    machine.PutFile(Log(), edited);
    const auto before = Snapshot();
    EXPECT_EQ(Uninstall(), UninstallOutcome::LogRefused);
    EXPECT_EQ(LastBox(), "The uninstall log " + Log() + " is damaged (line " +
                             std::to_string(line) +
                             ": not a path the install writes on this machine).\r\n"
                             "Nothing was removed.");
    EXPECT_EQ(Snapshot(), before);
  }

  std::filesystem::remove(machine.Host(Log()));
  EXPECT_EQ(Uninstall(), UninstallOutcome::Removed);
  EXPECT_EQ(Question().find("The uninstall log " + Log() +
                            " is missing, but the uninstall entry names Lynwood Catalog Suite "
                            "6.7 in " +
                            install.state.ProgramFolder + "."),
            0u)
      << Question();
  EXPECT_FALSE(machine.Exists(install.state.ProgramFolder));
  EXPECT_FALSE(EntryPresent());
  EXPECT_EQ(machine.ReadFile(documents + "\\QY.chm"), "my own help file");
  EXPECT_EQ(machine.ReadFile(install.desktop + "\\Letter.doc"), "mine");
}

// The person's desktop is the program group folder: the product's
// shortcuts go, the folder and the person's files in it stay.
TEST(UninstallerOnOddFolders, KeepsADesktopThatIsTheProgramGroup) {
  sim::Profile profile;
  profile.Desktop = profile.CommonPrograms + "\\LYN";
  InstalledMachine installed(profile);
  installed.machine.PutFile(profile.Desktop + "\\Letter.doc", "mine");

  EXPECT_EQ(installed.Uninstall(), UninstallOutcome::PartlyLeft);
  EXPECT_NE(installed.LastBox().find(profile.Desktop + " (a folder of Windows or of the person)"),
            std::string::npos)
      << installed.LastBox();
  EXPECT_EQ(installed.machine.ReadFile(profile.Desktop + "\\Letter.doc"), "mine");
  EXPECT_FALSE(installed.machine.Exists(profile.Desktop + "\\LYN.lnk"));
  EXPECT_FALSE(installed.machine.Exists(installed.install.state.ProgramFolder));
}

}  // namespace
}  // namespace lyn::uninstall
