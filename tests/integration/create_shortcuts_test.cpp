// The shortcuts' edge cases; what the install's four shortcuts hold is in
// the scenarios (wine-like.t, program-group-refused.t).
#include "integration/create_shortcuts.h"

#include <gtest/gtest.h>

#include <string>

#include "fakes/machine_platform.h"

namespace lyn {
namespace {

using fakes::MachinePlatform;

constexpr const char* kProgramFolder = "C:\\Program Files\\LYN";
constexpr const char* kDesktop = "C:\\Users\\Owner\\Desktop";

class ShortcutsTest : public ::testing::Test {
 protected:
  ShortcutsTest() {
    machine_.PutFile(std::string(kProgramFolder) + "\\LYN.exe", "program");
    machine_.PutFile(std::string(kProgramFolder) + "\\QY.chm", "help");
    machine_.PutFile("C:\\Windows\\UninstallLYN67.exe", "uninstaller");
    state_.ProgramFolder = kProgramFolder;
  }

  // A row of the install run's shortcut table.
  static ShortcutData Row(const std::string& link, const std::string& folder,
                          const std::string& name, const std::string& description) {
    const std::string target = folder + "\\" + name;
    return ShortcutData{link, target, folder + "\\", "", target, 0, 5, description};
  }

  MachinePlatform machine_;
  SetupState state_;
};

TEST_F(ShortcutsTest, AnExistingShortcutIsLeftUntouched) {
  const std::string existing = std::string(kDesktop) + "\\LYN.lnk";
  machine_.PutFile(existing, "someone else's");
  EXPECT_TRUE(MakeShortcut(machine_.platform(), state_,
                           Row(std::string(kDesktop) + "\\LYN.exe", kProgramFolder, "LYN.exe",
                               "Lynwood Catalog Suite")));
  EXPECT_EQ(state_.LastShortcutPath, existing);
  EXPECT_EQ(machine_.ReadFile(existing), "someone else's");
}

TEST_F(ShortcutsTest, ShortcutsWithIncompleteDataOrMissingFilesAreRefused) {
  const ShortcutData good =
      Row(std::string(kDesktop) + "\\LYN.exe", kProgramFolder, "LYN.exe", "Lynwood Catalog Suite");
  const std::string lnk = std::string(kDesktop) + "\\LYN.lnk";
  const struct {
    void (*change)(ShortcutData&);
    std::string lastPath;  // the shortcut's path as the refusal leaves it
  } refused[] = {
      {[](ShortcutData& row) { row.showCommand = 1; }, good.link + ".lnk"},
      {[](ShortcutData& row) { row.link = std::string(kDesktop) + "\\LYN"; }, lnk},
      {[](ShortcutData& row) { row.iconFile.clear(); }, good.link + ".lnk"},
      {[](ShortcutData& row) { row.target = std::string(kProgramFolder) + "\\Missing.exe"; }, lnk},
      // The working folder is tested without its last character.
      {[](ShortcutData& row) { row.workingFolder = kProgramFolder; }, lnk},
  };
  for (const auto& row : refused) {
    ShortcutData data = good;
    row.change(data);
    state_.LastShortcutPath.clear();
    EXPECT_FALSE(MakeShortcut(machine_.platform(), state_, data)) << data.link;
    EXPECT_EQ(state_.LastShortcutPath, row.lastPath) << data.link;
  }
  machine_.SetAttributes(good.target, win::FILE_ATTRIBUTE_HIDDEN);
  EXPECT_FALSE(MakeShortcut(machine_.platform(), state_, good));
  EXPECT_FALSE(machine_.Exists(lnk));
}

TEST_F(ShortcutsTest, OnlyTheLastComponentsExtensionIsReplaced) {
  machine_.MakeFolder("C:\\Users\\A.B\\Desktop");
  ShortcutData row = Row("C:\\Users\\A.B\\Desktop\\LYN.exe", kProgramFolder, "LYN.exe", "L");
  EXPECT_TRUE(MakeShortcut(machine_.platform(), state_, row));
  EXPECT_EQ(state_.LastShortcutPath, "C:\\Users\\A.B\\Desktop\\LYN.lnk");
  EXPECT_TRUE(machine_.Exists("C:\\Users\\A.B\\Desktop\\LYN.lnk"));
}

}  // namespace
}  // namespace lyn
