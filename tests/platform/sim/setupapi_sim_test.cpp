// The emulated cabinet iteration service where it must refuse: cabinets it
// cannot read and targets it cannot open, none of them leading out of the
// machine. Its notifications, answers and decoding failures are compared with
// Windows' by the cabinet differential test.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "cabinet/test_cabinet.h"
#include "fakes/machine_platform.h"
#include "platform/sim/files/host_errors.h"
#include "platform/sim/machine/host_faults.h"
#include "platform/sim/machine/scratch_folder.h"

namespace lyn {
namespace {

namespace fs = std::filesystem;

// Asks for every file to be written to `target` and counts the notifications.
struct Walk {
  std::string target;
  int notifications = 0;
  win::UINT extractedError = 0;  // FILEEXTRACTED's error for the last file

  static win::UINT LYN_CALLBACK Callback(win::LPVOID context, win::UINT notification,
                                         win::UINT_PTR param1, win::UINT_PTR) {
    auto& walk = *static_cast<Walk*>(context);
    ++walk.notifications;
    if (notification == win::SPFILENOTIFY_FILEEXTRACTED) {
      walk.extractedError = reinterpret_cast<win::FILEPATHS_A*>(param1)->Win32Error;
    }
    if (notification != win::SPFILENOTIFY_FILEINCABINET) return win::NO_ERROR;
    auto& info = *reinterpret_cast<win::FILE_IN_CABINET_INFO_A*>(param1);
    walk.target.copy(info.FullTargetName, walk.target.size());
    info.FullTargetName[walk.target.size()] = '\0';
    return win::FILEOP_DOIT;
  }
};

class SetupApiSimTest : public ::testing::Test {
 protected:
  SetupApiSimTest() {
    machine_.PutFile("C:\\Media\\TEST.CAB", testing::UncompressedCabinet({{"a.txt", "alpha"}}));
    machine_.MakeFolder("C:\\Out");
    fs::create_directories(outside_.path());
  }

  // The walk's result and last error.
  std::pair<win::BOOL, win::DWORD> Iterate(const char* cabinet, Walk& walk) {
    win::Kernel32& kernel32 = machine_.platform().kernel32;
    kernel32.SetLastError(0xDEADBEEF);
    const win::BOOL result =
        machine_.platform().setupapi.SetupIterateCabinetA(cabinet, 0, &Walk::Callback, &walk);
    return {result, kernel32.GetLastError()};
  }

  fakes::MachinePlatform machine_;
  const sim::testing::ScratchFolder outside_;
};

TEST_F(SetupApiSimTest, ACabinetItCannotOpenIsNotFoundAndNoLinkIsFollowed) {
  fs::copy_file(machine_.Host("C:\\Media\\TEST.CAB"), outside_.path() / "out.cab");
  fs::create_symlink(outside_.path() / "out.cab", machine_.Host("C:\\Media\\link.cab"));
  fs::create_directory_symlink(outside_.path(), machine_.Host("C:\\Media\\linked"));
  for (const char* cabinet : {"C:\\Media\\missing.cab", "/etc/passwd", "C:\\Media\\link.cab",
                              "C:\\Media\\linked\\out.cab"}) {
    Walk walk{"C:\\Out\\a.txt"};
    EXPECT_EQ(Iterate(cabinet, walk), std::make_pair(win::FALSE, win::ERROR_FILE_NOT_FOUND))
        << cabinet;
    EXPECT_EQ(walk.notifications, 0) << cabinet;
  }
}

// No target leads out of the machine, whether named outright or through a
// link inside it, live or dangling.
TEST_F(SetupApiSimTest, ATargetItCannotOpenFailsTheWalkAndNothingIsWrittenOutside) {
  const fs::path out = machine_.Host("C:\\Out");
  fs::create_directory_symlink(outside_.path(), out / "linked");
  fs::create_symlink(outside_.path() / "dangling.txt", out / "dangling.txt");
  const struct {
    std::string target;
    win::DWORD error;
  } cases[] = {{"C:\\Missing\\a.txt", win::ERROR_PATH_NOT_FOUND},
               {"/tmp/lyn-escape.txt", win::ERROR_PATH_NOT_FOUND},
               {"C:\\Out\\linked\\a.txt", win::ERROR_PATH_NOT_FOUND},
               {"C:\\Out\\dangling.txt", win::ERROR_PATH_NOT_FOUND},
               {"C:\\Out", win::ERROR_ACCESS_DENIED}};
  for (const auto& c : cases) {
    Walk walk{c.target};
    EXPECT_EQ(Iterate("C:\\Media\\TEST.CAB", walk), std::make_pair(win::FALSE, c.error))
        << c.target;
    EXPECT_EQ(walk.notifications, 2) << "no file-written notification for " << c.target;
  }
  EXPECT_FALSE(fs::exists("/tmp/lyn-escape.txt"));
  EXPECT_TRUE(fs::is_empty(outside_.path()));
}

// A file the walk could not write whole is reported with its error and, as a
// failed copy, not left behind.
TEST_F(SetupApiSimTest, AFileNotWrittenWholeIsReportedAndNotLeftBehind) {
  const sim::ArmedHostFaults fault({sim::FaultKind::IoError, 1, sim::HostCall::Write});
  Walk walk{"C:\\Out\\a.txt"};
  EXPECT_EQ(Iterate("C:\\Media\\TEST.CAB", walk).first, win::TRUE);
  EXPECT_EQ(walk.extractedError, sim::ERROR_IO_DEVICE);
  EXPECT_FALSE(machine_.Exists("C:\\Out\\a.txt"));
}

}  // namespace
}  // namespace lyn
