#include "uninstall/uninstaller.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <map>

#include "uninstall/logged_install.h"

namespace lyn::uninstall {
namespace {

namespace fs = std::filesystem;

// A machine with the product installed, and the uninstaller run on it with
// its question answered Yes and its report OK.
class Uninstaller : public ::testing::Test {
 protected:
  UninstallOutcome Uninstall() {
    user32.answers = {win::IDYES, win::IDOK};
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
  LoggedInstall install = InstallOnMachine(machine);
};

// What the uninstaller does on a machine that is not as the install left it
// (files in use, read-only or the person's, an edited, cut or missing log)
// is the scenario uninstall-leftovers.t.

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

}  // namespace
}  // namespace lyn::uninstall
