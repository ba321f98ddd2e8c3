// Making and opening machines, and the marks they keep on files.
#include "platform/sim/machine/machine.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>

#include "platform/sim/machine/host_view.h"
#include "platform/sim/machine/scratch_folder.h"

namespace lyn::sim {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using testing::ScratchFolder;
using ::testing::ThrowsMessage;

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
    EXPECT_TRUE(fs::is_directory(lyn::sim::HostPathOf(made, *path))) << *path;
  }
  EXPECT_TRUE(fs::is_directory(folder.path() / "drives" / "C" / "Windows" / "system32"));
  EXPECT_EQ(Machine::Open(folder.path()).profile(), profile);
}

TEST(MachineCreateTest, RefusesAProfileItCannotHold) {
  const struct {
    const char* field;
    const char* value;
    const char* expected;
  } cases[] = {
      {"Desktop", "E:\\Desktop", "drive E:, which the machine does not have"},
      {"AnsiCodePage", "4", "AnsiCodePage 4 is not a code page"},
  };
  for (const auto& c : cases) {
    ScratchFolder empty;
    Profile profile;
    SetField(profile, c.field, c.value);
    EXPECT_THAT([&] { Machine::Create(empty.path(), profile); },
                ThrowsMessage<MachineError>(HasSubstr(c.expected)));
    EXPECT_FALSE(fs::exists(empty.path())) << "nothing is written for a refused profile";
  }
}

TEST(MachineOpenTest, TellsWhyAFolderIsNotAMachineOrHasNoStateStore) {
  ScratchFolder folder;
  const auto open = [&] { Machine::Open(folder.path()); };
  EXPECT_THAT(open, ThrowsMessage<MachineError>(HasSubstr("does not exist")));
  fs::create_directories(folder.path());
  EXPECT_THAT(open, ThrowsMessage<MachineError>(HasSubstr("is not a machine")));
  std::ofstream(folder.path() / "profile.ini") << "dwMajorVersion = 6\nwSuiteMask = lots\n";
  EXPECT_THAT(open, ThrowsMessage<MachineError>(HasSubstr("profile line 2: bad value 'lots'")));
  fs::remove_all(folder.path());
  Machine::Create(folder.path(), Profile{});
  fs::remove(folder.path() / StateStore::kFileName);
  EXPECT_THAT(open, ThrowsMessage<StateError>(HasSubstr("has no state store")));
}

// Marks belong to the file whatever path names it, and are kept in the
// machine folder under the redirected name.
TEST(MachineMarksTest, AttributeMarksFollowTheFile) {
  using namespace win;
  ScratchFolder folder;
  Machine machine = Machine::Create(folder.path(), FindPreset("winxp-pro-x64").profile);
  const char* file = "C:\\WINDOWS\\system32\\COMCTL32.OCX";
  std::ofstream(lyn::sim::HostPathOf(machine, file)) << "x";
  EXPECT_EQ(machine.Attributes("C:\\WINDOWS\\system32\\comctl32.ocx"), FILE_ATTRIBUTE_ARCHIVE);
  EXPECT_EQ(machine.Attributes("C:\\WINDOWS"), FILE_ATTRIBUTE_DIRECTORY);
  EXPECT_EQ(machine.Attributes("C:\\WINDOWS\\missing.dll"), INVALID_FILE_ATTRIBUTES);

  machine.SetAttributes(file, FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
  const Machine reopened = Machine::Open(folder.path());
  EXPECT_EQ(reopened.Attributes("c:\\windows\\syswow64\\comctl32.ocx"),
            FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
  EXPECT_EQ(reopened.Attributes("C:\\WINDOWS\\comctl32.ocx"), INVALID_FILE_ATTRIBUTES);

  // What one process keeps of the store gives way to another's change, and
  // to its own in a transaction not yet committed.
  machine.SetAttributes(file, FILE_ATTRIBUTE_SYSTEM);
  EXPECT_EQ(reopened.Attributes(file), FILE_ATTRIBUTE_SYSTEM);
  EXPECT_THROW(reopened.State().Write([&](const Transaction&) {
    reopened.SetAttributes(file, FILE_ATTRIBUTE_HIDDEN);
    EXPECT_EQ(reopened.Attributes(file), FILE_ATTRIBUTE_HIDDEN);
    throw std::runtime_error("rolled back");
  }),
               std::runtime_error);
  EXPECT_EQ(reopened.Attributes(file), FILE_ATTRIBUTE_SYSTEM);

  machine.SetAttributes(file, FILE_ATTRIBUTE_DIRECTORY);
  EXPECT_EQ(machine.Attributes(file), FILE_ATTRIBUTE_NORMAL) << "the directory bit is the host's";
  machine.SetAttributes("C:\\WINDOWS", FILE_ATTRIBUTE_SYSTEM);
  EXPECT_EQ(machine.Attributes("C:\\WINDOWS"), FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace
}  // namespace lyn::sim
