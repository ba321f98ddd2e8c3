// Making and opening machines, the marks they keep on files, and their text
// conversions.
#include "platform/sim/machine/machine.h"

#include <gtest/gtest.h>

#include <fstream>

#include "platform/sim/machine/scratch_folder.h"

namespace lyn::sim {
namespace {

namespace fs = std::filesystem;
using testing::ScratchFolder;

std::string ErrorOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const MachineError& e) {
    return e.what();
  }
  return "";
}

TEST(MachineCreateTest, MakesEveryProfileFolderAndReopensToTheSameProfile) {
  ScratchFolder folder;
  Profile profile = FindPreset("vista-home-premium-x64").profile;
  SetField(profile, "Drive.D", "CDFS");
  SetField(profile, "CurrentDirectory", "D:\\");
  const Machine made = Machine::Create(folder.path(), profile);
  for (const std::string* path :
       {&profile.WindowsDirectory, &profile.SystemDirectory, &profile.TempPath,
        &profile.ProgramFiles, &profile.CommonFiles, &profile.CommonPrograms, &profile.Desktop,
        &profile.CurrentDirectory}) {
    EXPECT_TRUE(fs::is_directory(made.Resolve(*path).hostPath)) << *path;
  }
  EXPECT_TRUE(fs::is_directory(folder.path() / "drives" / "C" / "Windows" / "system32"));
  EXPECT_EQ(Machine::Open(folder.path()).profile(), profile);
}

TEST(MachineCreateTest, RefusesAFolderInUseAndAProfileItCannotHold) {
  ScratchFolder folder;
  fs::create_directories(folder.path());
  std::ofstream(folder.path() / "notes.txt") << "mine";
  EXPECT_NE(ErrorOf([&] { Machine::Create(folder.path(), Profile{}); }).find("not empty"),
            std::string::npos);

  const struct {
    const char* field;
    const char* value;
    const char* expected;
  } cases[] = {
      {"TempPath", "Temp\\",
       "profile folder TempPath 'Temp\\': Windows path 'Temp\\' is not absolute"},
      {"Desktop", "E:\\Desktop", "drive E:, which the machine does not have"},
      {"CurrentDirectory", "\\Distribution", "has no drive"},
      {"AnsiCodePage", "4", "AnsiCodePage 4 is not a code page"},
  };
  for (const auto& c : cases) {
    ScratchFolder empty;
    Profile profile;
    SetField(profile, c.field, c.value);
    const std::string message = ErrorOf([&] { Machine::Create(empty.path(), profile); });
    EXPECT_NE(message.find(c.expected), std::string::npos) << c.field << ": " << message;
    EXPECT_FALSE(fs::exists(empty.path())) << "nothing is written for a refused profile";
  }
}

TEST(MachineOpenTest, TellsWhyAFolderIsNotAMachine) {
  ScratchFolder folder;
  EXPECT_NE(ErrorOf([&] { Machine::Open(folder.path()); }).find("does not exist"),
            std::string::npos);
  fs::create_directories(folder.path());
  EXPECT_NE(ErrorOf([&] { Machine::Open(folder.path()); }).find("is not a machine"),
            std::string::npos);
  std::ofstream(folder.path() / "profile.ini") << "dwMajorVersion = 6\nwSuiteMask = lots\n";
  const std::string message = ErrorOf([&] { Machine::Open(folder.path()); });
  EXPECT_NE(message.find("profile line 2: bad value 'lots'"), std::string::npos) << message;
}

class MachineMarksTest : public ::testing::Test {
 protected:
  MachineMarksTest()
      : machine_(Machine::Create(folder_.path(), FindPreset("winxp-pro-x64").profile)) {
    std::ofstream(machine_.Resolve("C:\\WINDOWS\\system32\\COMCTL32.OCX").hostPath) << "x";
  }

  ScratchFolder folder_;
  Machine machine_;
};

TEST_F(MachineMarksTest, AttributesBelongToTheFileWhateverPathNamesIt) {
  using namespace win;
  EXPECT_EQ(machine_.Attributes("C:\\WINDOWS\\system32\\comctl32.ocx"), FILE_ATTRIBUTE_ARCHIVE);
  EXPECT_EQ(machine_.Attributes("C:\\WINDOWS"), FILE_ATTRIBUTE_DIRECTORY);
  EXPECT_EQ(machine_.Attributes("C:\\WINDOWS\\missing.dll"), INVALID_FILE_ATTRIBUTES);

  machine_.SetAttributes("C:\\WINDOWS\\system32\\COMCTL32.OCX",
                         FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
  EXPECT_EQ(Machine::Open(folder_.path()).Attributes("c:\\windows\\syswow64\\comctl32.ocx"),
            FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN)
      << "kept in the machine folder, under the redirected name";

  machine_.SetAttributes("C:\\WINDOWS\\system32\\COMCTL32.OCX", FILE_ATTRIBUTE_DIRECTORY);
  EXPECT_EQ(machine_.Attributes("C:\\WINDOWS\\system32\\COMCTL32.OCX"), FILE_ATTRIBUTE_NORMAL)
      << "the directory bit is the host's to say";
  machine_.SetAttributes("C:\\WINDOWS", FILE_ATTRIBUTE_SYSTEM);
  EXPECT_EQ(machine_.Attributes("C:\\WINDOWS"), FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DIRECTORY);
}

TEST_F(MachineMarksTest, InUseMarksFollowTheFile) {
  EXPECT_FALSE(machine_.InUse("C:\\WINDOWS\\system32\\COMCTL32.OCX"));
  machine_.SetInUse("C:\\WINDOWS\\system32\\COMCTL32.OCX", true);
  EXPECT_TRUE(machine_.InUse("c:\\windows\\SysWOW64\\ComCtl32.ocx"));
  EXPECT_FALSE(machine_.InUse("C:\\WINDOWS\\comctl32.ocx"));
  machine_.SetInUse("C:\\windows\\system32\\comctl32.ocx", false);
  EXPECT_FALSE(machine_.InUse("C:\\WINDOWS\\system32\\COMCTL32.OCX"));
}

TEST(MachineTextTest, ConvertsBetweenTheAnsiCodePageAndUtf8) {
  const struct {
    win::UINT codePage;
    const char* utf8;
    const char* ansi;
  } cases[] = {
      {1252, "caf\xC3\xA9", "caf\xE9"}, {1252, "\xE2\x82\xAC 5", "\x80 5"},
      {1252, "\xC2\x81", "\x81"},  // a gap of code page 1252 keeps its number
      {1251, "\xD0\x96", "\xC6"},       {932, "\xE6\x97\xA5\xE6\x9C\xAC", "\x93\xFA\x96\x7B"},
  };
  ScratchFolder plain;
  EXPECT_EQ(Machine::Create(plain.path(), Profile{}).Utf8ToAnsi("\xD0\x96-\xF0\x9F\x98\x80"), "?-?")
      << "what code page 1252 lacks";
  for (const auto& c : cases) {
    ScratchFolder folder;
    Profile profile;
    profile.AnsiCodePage = c.codePage;
    const Machine machine = Machine::Create(folder.path(), profile);
    EXPECT_EQ(machine.Utf8ToAnsi(c.utf8), c.ansi) << c.codePage;
    EXPECT_EQ(machine.AnsiToUtf8(c.ansi), c.utf8) << c.codePage;
  }
}

}  // namespace
}  // namespace lyn::sim
