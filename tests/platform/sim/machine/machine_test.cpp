// Making and opening machines, and the marks they keep on files.
#include "platform/sim/machine/machine.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>

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
    EXPECT_TRUE(fs::is_directory(made.Resolve(*path).hostPath)) << *path;
  }
  EXPECT_TRUE(fs::is_directory(folder.path() / "drives" / "C" / "Windows" / "system32"));
  EXPECT_EQ(Machine::Open(folder.path()).profile(), profile);
}

TEST(MachineCreateTest, RefusesAFolderInUseAndAProfileItCannotHold) {
  ScratchFolder folder;
  fs::create_directories(folder.path());
  std::ofstream(folder.path() / "notes.txt") << "mine";
  EXPECT_THAT([&] { Machine::Create(folder.path(), Profile{}); },
              ThrowsMessage<MachineError>(HasSubstr("not empty")));

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

TEST(MachineOpenTest, TellsWhyAFolderIsNotAMachine) {
  ScratchFolder folder;
  const auto open = [&] { Machine::Open(folder.path()); };
  EXPECT_THAT(open, ThrowsMessage<MachineError>(HasSubstr("does not exist")));
  fs::create_directories(folder.path());
  EXPECT_THAT(open, ThrowsMessage<MachineError>(HasSubstr("is not a machine")));
  std::ofstream(folder.path() / "profile.ini") << "dwMajorVersion = 6\nwSuiteMask = lots\n";
  EXPECT_THAT(open, ThrowsMessage<MachineError>(HasSubstr("profile line 2: bad value 'lots'")));
}

TEST(MachineOpenTest, RefusesAMachineWhoseStateStoreIsGoneOrDamaged) {
  ScratchFolder folder;
  Machine::Create(folder.path(), Profile{});
  const fs::path store = folder.path() / StateStore::kFileName;
  const auto open = [&] { Machine::Open(folder.path()); };
  fs::remove(store);
  EXPECT_THAT(open, ThrowsMessage<StateError>(HasSubstr("has no state store")));
  std::ofstream(store) << std::string(4096, 'x');
  EXPECT_THAT(open, ThrowsMessage<StateError>(HasSubstr(folder.path().string())));
}

// Marks belong to the file whatever path names it, and are kept in the
// machine folder under the redirected name.
TEST(MachineMarksTest, AttributesAndInUseMarksFollowTheFile) {
  using namespace win;
  ScratchFolder folder;
  Machine machine = Machine::Create(folder.path(), FindPreset("winxp-pro-x64").profile);
  const char* file = "C:\\WINDOWS\\system32\\COMCTL32.OCX";
  std::ofstream(machine.Resolve(file).hostPath) << "x";
  EXPECT_EQ(machine.Attributes("C:\\WINDOWS\\system32\\comctl32.ocx"), FILE_ATTRIBUTE_ARCHIVE);
  EXPECT_EQ(machine.Attributes("C:\\WINDOWS"), FILE_ATTRIBUTE_DIRECTORY);
  EXPECT_EQ(machine.Attributes("C:\\WINDOWS\\missing.dll"), INVALID_FILE_ATTRIBUTES);

  machine.SetAttributes(file, FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
  machine.SetInUse(file, true);
  const Machine reopened = Machine::Open(folder.path());
  EXPECT_EQ(reopened.Attributes("c:\\windows\\syswow64\\comctl32.ocx"),
            FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
  EXPECT_TRUE(reopened.InUse("c:\\windows\\SysWOW64\\ComCtl32.ocx"));
  EXPECT_FALSE(reopened.InUse("C:\\WINDOWS\\comctl32.ocx"));
  machine.SetInUse("C:\\windows\\system32\\comctl32.ocx", false);
  EXPECT_FALSE(machine.InUse(file));

  machine.SetAttributes(file, FILE_ATTRIBUTE_DIRECTORY);
  EXPECT_EQ(machine.Attributes(file), FILE_ATTRIBUTE_NORMAL) << "the directory bit is the host's";
  machine.SetAttributes("C:\\WINDOWS", FILE_ATTRIBUTE_SYSTEM);
  EXPECT_EQ(machine.Attributes("C:\\WINDOWS"), FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DIRECTORY);
}

TEST(MachineMarksTest, TwoProcessesMarkingFilesAtOnceKeepEveryMark) {
  ScratchFolder folder;
  Machine::Create(folder.path(), Profile{});
  constexpr int kEach = 400;
  pid_t children[2];
  for (int child = 0; child < 2; ++child) {
    children[child] = fork();
    if (children[child] == 0) {
      const Machine machine = Machine::Open(folder.path());
      for (int i = 0; i < kEach; ++i) {
        machine.SetAttributes("C:\\p" + std::to_string(child) + "\\" + std::to_string(i),
                              win::FILE_ATTRIBUTE_HIDDEN);
      }
      _exit(0);
    }
  }
  for (const pid_t child : children) {
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }
  const Machine machine = Machine::Open(folder.path());
  const auto marks = machine.State().Read([](const Transaction& t) {
    auto count = t.Prepare("SELECT count(*) FROM file_attributes WHERE attributes = 2");
    count.Step();
    return count.Int(0);
  });
  EXPECT_EQ(marks, 2 * kEach);
}

}  // namespace
}  // namespace lyn::sim
