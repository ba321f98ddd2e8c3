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

  ShortcutData minimised = good;
  minimised.showCommand = 1;
  EXPECT_FALSE(MakeShortcut(machine_.platform(), state_, minimised));
  EXPECT_EQ(state_.LastShortcutPath, good.link + ".lnk");

  ShortcutData noExtension = good;
  noExtension.link = std::string(kDesktop) + "\\LYN";
  EXPECT_FALSE(MakeShortcut(machine_.platform(), state_, noExtension));
  EXPECT_EQ(state_.LastShortcutPath, noExtension.link + ".lnk");

  ShortcutData noIcon = good;
  noIcon.iconFile.clear();
  EXPECT_FALSE(MakeShortcut(machine_.platform(), state_, noIcon));

  ShortcutData missingTarget = good;
  missingTarget.target = std::string(kProgramFolder) + "\\Missing.exe";
  EXPECT_FALSE(MakeShortcut(machine_.platform(), state_, missingTarget));
  EXPECT_EQ(state_.LastShortcutPath, lnk);

  // The working folder is tested without its last character.
  ShortcutData unslashed = good;
  unslashed.workingFolder = kProgramFolder;
  EXPECT_FALSE(MakeShortcut(machine_.platform(), state_, unslashed));

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
