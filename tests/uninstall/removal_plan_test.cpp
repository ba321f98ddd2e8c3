#include "uninstall/removal_plan.h"

#include <gtest/gtest.h>

#include "uninstall/logged_install.h"
#include "uninstall/path_names.h"

namespace lyn::uninstall {
namespace {

class RemovalPlanning : public ::testing::Test {
 protected:
  RemovalPlan PlanFor(const std::string& logText) const {
    UninstallLogReader reader(places, [](std::string_view line) { return std::string(line); });
    reader.Take(logText);
    const auto read = reader.Finish();
    EXPECT_TRUE(std::holds_alternative<UninstallLog>(read)) << std::get<LogFault>(read).reason;
    return PlanRemoval(std::get<UninstallLog>(read), places);
  }
  // The step's index in the plan; -1 when it has no such step.
  static long IndexOf(const RemovalPlan& plan, Action action, const std::string& path) {
    const auto found = std::find_if(plan.steps.begin(), plan.steps.end(), [&](const Step& s) {
      return s.action == action && s.path == path;
    });
    return found == plan.steps.end() ? -1 : found - plan.steps.begin();
  }
  std::string Cut(const std::string& before) const { return text.substr(0, text.find(before)); }

  fakes::MachinePlatform machine;
  LoggedInstall install = InstallOnMachine(machine);
  InstallPlaces places = InstallPlaces::Find(machine.platform());
  std::string text = UninstallLogText(machine);
  std::string desktopShortcut = install.desktop + "\\LYN.lnk";
};

// Every step lies where the install puts the product; the folders go after
// what they hold, and the uninstall entry goes last, after the uninstaller
// and the log it leads to. The shared files are kept, untouched.
TEST_F(RemovalPlanning, RemovesTheProductWhereItLiesWithTheEntryLast) {
  const RemovalPlan plan = PlanFor(text);
  const SetupState& s = install.state;
  const std::string self = s.WindowsFolder + "\\UninstallLYN67.exe";
  const std::string log = s.WindowsFolder + "\\UnInstallLYN.log";
  for (const Step& step : plan.steps) {
    const bool ours = IsBelow(step.path, s.ProgramFolder) || step.path == s.ProgramFolder ||
                      IsBelow(step.path, install.programGroup) ||
                      step.path == install.programGroup || step.path == desktopShortcut ||
                      IsBelow(step.path, places.setupTemp) || step.path == places.setupTemp ||
                      step.path == self || step.path == log || step.path == kUninstallKeyPath;
    EXPECT_TRUE(ours) << step.path;
  }
  ASSERT_EQ(plan.kept.size(), 25u);
  EXPECT_EQ(plan.kept.back(), s.DaoFolder + "\\dao360.dll");
  for (const std::string& kept : plan.kept) {
    EXPECT_EQ(IndexOf(plan, Action::DeleteFile, kept), -1) << kept;
  }
  EXPECT_TRUE(plan.left.empty());

  const long inOrder[] = {
      IndexOf(plan, Action::DeleteFile, s.ProgramFolder + "\\LYN.exe"),
      IndexOf(plan, Action::DeleteFile, s.MapsFolder + "\\Map14_Overview.jpg"),
      IndexOf(plan, Action::DeleteFile, desktopShortcut),
      IndexOf(plan, Action::DeleteFile, install.programGroup + "\\UninstallLYN67.lnk"),
      IndexOf(plan, Action::RemoveFolder, install.programGroup),
      IndexOf(plan, Action::DeleteFile, s.ProgramFolder + "\\InstallInfo.log"),
      IndexOf(plan, Action::RemoveFolder, s.MapsFolder),
      IndexOf(plan, Action::RemoveFolder, s.ProgramFolder),
      IndexOf(plan, Action::DeleteFile, places.setupTemp + "\\LYN.exe"),
      IndexOf(plan, Action::RemoveFolder, places.setupTemp),
      IndexOf(plan, Action::DeleteSelf, self),
      IndexOf(plan, Action::DeleteFile, log),
      IndexOf(plan, Action::DeleteUninstallEntry, std::string(kUninstallKeyPath)),
  };
  for (std::size_t i = 0; i < std::size(inOrder); ++i) {
    EXPECT_GE(inOrder[i], 0) << i;
    if (i > 0) {
      EXPECT_LT(inOrder[i - 1], inOrder[i]) << i;
    }
  }
  EXPECT_EQ(inOrder[std::size(inOrder) - 1], static_cast<long>(plan.steps.size()) - 1);
}

// The machine's own folders and every folder above them belong to Windows
// or the person.
TEST_F(RemovalPlanning, KnowsTheFoldersWindowsOrThePersonOwns) {
  const struct {
    std::string folder;
    bool owned;
  } folders[] = {
      {"C:\\", true},
      {"NO\\LYN", true},
      {"C:\\Users", true},
      {"c:\\users\\owner\\DESKTOP", true},
      {"C:\\Program Files", true},
      {"C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs", true},
      {"C:\\Windows\\system32", true},
      {"C:\\Users\\Owner\\Desktop\\Mine", false},
      {install.programGroup, false},
      {install.state.ProgramFolder, false},
  };
  for (const auto& f : folders) EXPECT_EQ(places.owned.Owns(f.folder), f.owned) << f.folder;
}

}  // namespace
}  // namespace lyn::uninstall
