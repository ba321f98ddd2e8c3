#include <gtest/gtest.h>

#include <string>

#include "fakes/held_file.h"
#include "fakes/machine_platform.h"
#include "platform/sim/files/file_layer.h"
#include "platform/sim/files/host_errors.h"
#include "platform/sim/machine/host_faults.h"
#include "sysinfo/shell_file_operation.h"

namespace lyn::sim {
namespace {

using namespace std::string_literals;

// What the shell answers for a file whose copy failed (ERROR_CANCELLED), as
// the differential test finds it.
constexpr int kCopyFailed = 1223;
constexpr const char* kSource = "C:\\Temp\\LYNSetup\\msjet40.dll";
constexpr const char* kTarget = "C:\\Windows\\system32\\msjet40.dll";

class FileOperations : public ::testing::Test {
 protected:
  void SetUp() override { machine.PutFile(kSource, "shipped"); }

  // The program's own copy and delete, which answer every question yes.
  int Copy(const char* source, const char* target) {
    return ShellFileOperation(machine.platform(), source, target, win::FO_COPY);
  }
  int Delete(const char* path) {
    return ShellFileOperation(machine.platform(), path, "", win::FO_DELETE);
  }
  // A request with other flags.
  int Run(win::UINT operation, const std::string& from, const std::string& to,
          win::FILEOP_FLAGS flags) {
    const std::string fromList = from + "\0"s;
    const std::string toList = to + "\0"s;
    win::SHFILEOPSTRUCTA request{};
    request.wFunc = operation;
    request.pFrom = fromList.c_str();
    request.pTo = toList.c_str();
    request.fFlags = flags;
    const int result = machine.platform().shell32.SHFileOperationA(&request);
    EXPECT_EQ(request.fAnyOperationsAborted != 0, result == win::DE_OPCANCELLED);
    return result;
  }

  fakes::MachinePlatform machine;
};

TEST_F(FileOperations, CopyOverwritesAndMakesFolders) {
  const char* present = "C:\\Program Files\\LYN\\msjet40.dll";
  machine.PutFile(present, "present, read-only");
  machine.SetAttributes(present, win::FILE_ATTRIBUTE_READONLY);
  EXPECT_EQ(Copy(kSource, present), 0);
  EXPECT_EQ(machine.ReadFile(present), "shipped");
  EXPECT_EQ(machine.machine().Attributes(present), win::FILE_ATTRIBUTE_ARCHIVE);

  // Paths reach the shell in the ANSI code page.
  EXPECT_EQ(Copy(kSource, "C:\\Program Files\\LYN\\Maps\\Caf\xC3\xA9.dll"), 0);
  EXPECT_EQ(machine.ReadFile("C:\\Program Files\\LYN\\Maps\\Caf\xC3\xA9.dll"), "shipped");
}

TEST_F(FileOperations, CopyFailuresLeaveTheDestinationAlone) {
  machine.MakeFolder("C:\\Locked");
  machine.DenyEveryone("C:\\Locked", FILE_ADD_FILE | FILE_ADD_SUBDIRECTORY);
  machine.PutFile("C:\\Data.txt", "a file");
  machine.MakeFolder("C:\\Shared\\msjet40.dll");
  const struct {
    const char* source;
    const char* target;
    int result;
  } failures[] = {
      {"C:\\Temp\\LYNSetup\\absent.dll", kTarget, win::ERROR_FILE_NOT_FOUND},
      {kSource, "C:\\Locked\\msjet40.dll", kCopyFailed},
      {kSource, "C:\\Locked\\Sub\\msjet40.dll", win::ERROR_ACCESS_DENIED},
      {kSource, "C:\\Data.txt\\msjet40.dll", win::ERROR_PATH_NOT_FOUND},
      {kSource, "Q:\\msjet40.dll", win::ERROR_PATH_NOT_FOUND},
      {kSource, "C:\\Shared", win::DE_FILEDESTISFLD},
      {kSource, kSource, win::DE_SAMEFILE},
  };
  for (const auto& f : failures) EXPECT_EQ(Copy(f.source, f.target), f.result) << f.target;
  EXPECT_FALSE(machine.Exists("C:\\Locked\\Sub"));
  EXPECT_FALSE(machine.Exists(kTarget));
}

// A copy that fails part-way leaves no truncated target: Windows' copy
// deletes a partly written target (CopyFileEx keeps one only when asked to
// make the copy restartable).
TEST_F(FileOperations, ACopyThatFailsPartWayLeavesNoTarget) {
  const char* present = "C:\\Program Files\\LYN\\msjet40.dll";
  machine.PutFile(present, "present");
  const sim::ArmedHostFaults fault({sim::FaultKind::IoError, 1, sim::HostCall::Write});
  EXPECT_EQ(Copy(kSource, present), kCopyFailed);
  EXPECT_FALSE(machine.Exists(present));
  EXPECT_EQ(Copy(kSource, "C:\\Program Files\\fresh.dll"), 0) << "only that write failed";
}

// Without FOF_NOCONFIRMATION the shell would ask; nobody answers on the
// emulated machine, so the operation is cancelled.
TEST_F(FileOperations, QuestionsTheFlagsDoNotAnswerCancel) {
  machine.PutFile(kTarget, "present");
  AllowUndo = true;
  EXPECT_EQ(Copy(kSource, kTarget), win::DE_OPCANCELLED);
  EXPECT_EQ(Delete(kTarget), win::DE_OPCANCELLED);
  EXPECT_EQ(machine.ReadFile(kTarget), "present");
  EXPECT_EQ(Run(win::FO_COPY, kSource, "C:\\New\\x.dll", 0), win::DE_OPCANCELLED);
  EXPECT_EQ(Run(win::FO_COPY, kSource, "C:\\New\\x.dll", win::FOF_NOCONFIRMMKDIR), 0);
  EXPECT_EQ(Run(win::FO_MOVE, kSource, kTarget, win::FOF_NOCONFIRMATION),
            static_cast<int>(win::ERROR_INVALID_PARAMETER));
}

// A folder goes entry by entry in the file system's order; the first entry
// that cannot go ends the deletion with its error, and it and what follows
// it stay.
TEST_F(FileOperations, DeleteStopsAtTheFirstEntryThatCannotGo) {
  const char* picture = "C:\\Temp\\LYNSetup\\Maps\\Map01_Harbour.jpg";
  machine.PutFile(picture, "JFIF");
  machine.SetAttributes(picture, win::FILE_ATTRIBUTE_HIDDEN | win::FILE_ATTRIBUTE_READONLY);
  for (const char* name : {"a.txt", "running.exe", "z.txt"}) {
    machine.PutFile("C:\\Busy\\"s + name, name);
  }
  const fakes::HeldFile running(machine.machine(), "C:\\Busy\\running.exe");
  machine.PutFile("C:\\Guarded\\kept.txt", "kept");
  machine.DenyEveryone("C:\\Guarded\\kept.txt", DELETE);
  machine.DenyEveryone("C:\\Guarded", FILE_DELETE_CHILD);
  EXPECT_EQ(Delete("C:\\Temp\\absent.txt"), static_cast<int>(win::ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(Delete("C:\\Nowhere\\absent.txt"), win::DE_INVALIDFILES);
  EXPECT_EQ(Delete("C:\\Busy"), static_cast<int>(win::ERROR_SHARING_VIOLATION));
  EXPECT_FALSE(machine.Exists("C:\\Busy\\a.txt"));
  EXPECT_EQ(machine.ReadFile("C:\\Busy\\running.exe"), "running.exe");
  EXPECT_TRUE(machine.Exists("C:\\Busy\\z.txt"));
  EXPECT_EQ(Delete("C:\\Guarded\\kept.txt"), static_cast<int>(win::ERROR_ACCESS_DENIED));
  EXPECT_EQ(machine.ReadFile("C:\\Guarded\\kept.txt"), "kept");

  EXPECT_EQ(Delete("C:\\Temp\\LYNSetup"), 0);
  EXPECT_FALSE(machine.Exists("C:\\Temp\\LYNSetup"));
  EXPECT_TRUE(machine.Exists("C:\\Temp"));
  machine.PutFile(picture, "new");
  EXPECT_EQ(machine.machine().Attributes(picture), win::FILE_ATTRIBUTE_ARCHIVE)
      << "marks forgotten";
}

}  // namespace
}  // namespace lyn::sim
