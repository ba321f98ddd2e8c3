#include "uninstall/removal_plan.h"

#include <gtest/gtest.h>

#include "uninstall/logged_install.h"

namespace lyn::uninstall {
namespace {

class RemovalPlanning : public ::testing::Test {
 protected:
  RemovalPlan PlanFor(const std::string& text) {
    const auto read = ReadUninstallLog(text, install.state.WindowsFolder);
    EXPECT_TRUE(std::holds_alternative<UninstallLog>(read));
    return PlanRemoval(std::get<UninstallLog>(read), install.state.WindowsFolder);
  }
  bool Removes(const RemovalPlan& plan, const std::string& path) {
    return std::any_of(plan.steps.begin(), plan.steps.end(),
                       [&](const Step& s) { return s.path == path; });
  }

  fakes::MachinePlatform machine;
  LoggedInstall install = InstallOnMachine(machine);
};

TEST_F(RemovalPlanning, RemovesTheProductInOrderAndKeepsSharedFiles) {
  const RemovalPlan plan = PlanFor(UninstallLogText(machine));
  const SetupState& s = install.state;
  // Every system and DAO file is kept; none of them is touched.
  ASSERT_EQ(plan.kept.size(), 25u);
  EXPECT_EQ(plan.kept.back(), s.DaoFolder + "\\dao360.dll");
  for (const std::string& kept : plan.kept) EXPECT_FALSE(Removes(plan, kept)) << kept;

  // 3 program files, 14 maps, 4 shortcuts, then the fixed tail.
  ASSERT_EQ(plan.steps.size(), 3u + 14u + 4u + 7u);
  EXPECT_EQ(plan.steps[0].path, s.ProgramFolder + "\\QY.chm");
  const std::vector<Step> tail(plan.steps.end() - 7, plan.steps.end());
  const std::vector<std::pair<Action, std::string>> expected = {
      {Action::RemoveFolder, install.programGroup},
      {Action::DeleteUninstallEntry, std::string(kUninstallKeyPath)},
      {Action::DeleteFile, s.ProgramFolder + "\\InstallInfo.log"},
      {Action::RemoveFolder, s.MapsFolder},
      {Action::RemoveFolder, s.ProgramFolder},
      {Action::DeleteFile, s.WindowsFolder + "\\UnInstallLYN.log"},
      {Action::DeleteSelf, s.WindowsFolder + "\\UninstallLYN67.exe"},
  };
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(tail[i].action, expected[i].first) << i;
    EXPECT_EQ(tail[i].path, expected[i].second) << i;
  }
  EXPECT_EQ(plan.steps[20].path, install.desktop + "\\LYN.lnk");
}

// What the install did not place ("Failed") is not removed: not a program
// file that was there before, not an uninstall entry of someone else, not an
// uninstaller that is not ours.
TEST_F(RemovalPlanning, LeavesWhatTheInstallDidNotPlace) {
  std::string text = UninstallLogText(machine);
  const SetupState& s = install.state;
  for (const std::string& failed : {s.ProgramFolder + "\\LYN.exe\r\nSuccessful",
                                    s.WindowsFolder + "\\UninstallLYN67.exe\r\nSuccessful",
                                    std::string(kUninstallKeyPath) + "\r\nSuccessful"}) {
    const std::size_t at = text.find(failed);
    ASSERT_NE(at, std::string::npos) << failed;
    text.replace(at + failed.size() - 10, 10, "Failed");
  }
  const RemovalPlan plan = PlanFor(text);
  EXPECT_FALSE(Removes(plan, s.ProgramFolder + "\\LYN.exe"));
  EXPECT_FALSE(Removes(plan, s.WindowsFolder + "\\UninstallLYN67.exe"));
  EXPECT_FALSE(Removes(plan, std::string(kUninstallKeyPath)));
  EXPECT_TRUE(Removes(plan, s.ProgramFolder + "\\QY.chm"));
}

}  // namespace
}  // namespace lyn::uninstall
