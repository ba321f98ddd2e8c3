// Removing and moving files and folders on the emulated machine, with the platform's
// results and last errors.
#include <gtest/gtest.h>

#include <optional>

#include "fakes/held_file.h"
#include "fakes/machine_platform.h"

namespace lyn::sim {
namespace {

using namespace win;

class SimKernel32RemovalTest : public ::testing::Test {
 protected:
  SimKernel32RemovalTest() {
    m_.PutFile("C:\\App\\a.txt", "alpha");
    m_.PutFile("C:\\App\\b.txt", "beta");
    m_.MakeFolder("C:\\App\\Empty");
  }
  // The call's result and its last error, seeded with ERROR_INVALID_HANDLE by
  // a failing call so that a failure that sets none is caught.
  template <typename Call>
  std::pair<BOOL, DWORD> Check(Call call) {
    k_.FindClose(static_cast<HANDLE>(0xBAD));
    const BOOL result = call();
    return {result, result ? ERROR_SUCCESS : k_.GetLastError()};
  }

  fakes::MachinePlatform m_{[] {
    Profile p;
    SetField(p, "Drive.D", "CDFS");
    return p;
  }()};
  Kernel32& k_ = m_.platform().kernel32;
};

TEST_F(SimKernel32RemovalTest, DeleteAndRemoveRefuseWhatWindowsRefuses) {
  m_.SetAttributes("C:\\App\\b.txt", FILE_ATTRIBUTE_READONLY);
  std::optional<fakes::HeldFile> held(std::in_place, m_.machine(), "C:\\App\\a.txt");
  m_.PutFile("D:\\setup.exe", "x");
  using Result = std::pair<BOOL, DWORD>;
  EXPECT_EQ(Check([&] { return k_.DeleteFileA("C:\\App\\b.txt"); }),
            Result(FALSE, ERROR_ACCESS_DENIED));
  EXPECT_EQ(Check([&] { return k_.DeleteFileA("C:\\App\\a.txt"); }),
            Result(FALSE, ERROR_SHARING_VIOLATION));
  EXPECT_EQ(Check([&] { return k_.DeleteFileA("C:\\App\\Empty"); }),
            Result(FALSE, ERROR_ACCESS_DENIED));
  EXPECT_EQ(Check([&] { return k_.DeleteFileA("C:\\App\\c.txt"); }),
            Result(FALSE, ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(Check([&] { return k_.DeleteFileA("C:\\Gone\\c.txt"); }),
            Result(FALSE, ERROR_PATH_NOT_FOUND));
  EXPECT_EQ(Check([&] { return k_.DeleteFileA("D:\\setup.exe"); }),
            Result(FALSE, ERROR_ACCESS_DENIED));
  EXPECT_EQ(Check([&] { return k_.RemoveDirectoryA("C:\\App"); }),
            Result(FALSE, ERROR_DIR_NOT_EMPTY));
  EXPECT_EQ(Check([&] { return k_.RemoveDirectoryA("C:\\App\\b.txt"); }),
            Result(FALSE, ERROR_DIRECTORY));

  held.reset();
  m_.SetAttributes("C:\\App\\b.txt", FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(Check([&] { return k_.DeleteFileA("C:\\App\\A.TXT"); }), Result(TRUE, ERROR_SUCCESS));
  EXPECT_EQ(Check([&] { return k_.DeleteFileA("C:\\App\\b.txt"); }), Result(TRUE, ERROR_SUCCESS));
  EXPECT_EQ(Check([&] { return k_.RemoveDirectoryA("C:\\App\\Empty"); }),
            Result(TRUE, ERROR_SUCCESS));
  EXPECT_EQ(Check([&] { return k_.RemoveDirectoryA("C:\\App"); }), Result(TRUE, ERROR_SUCCESS));
  EXPECT_FALSE(m_.Exists("C:\\App"));
}

// The uninstaller asks for its own file to go at the next restart; the
// machine has no restarts.
TEST_F(SimKernel32RemovalTest, MoveFileExIsRefusedForTheMachineHasNoRestarts) {
  EXPECT_EQ(
      Check([&] { return k_.MoveFileExA("C:\\App\\a.txt", nullptr, MOVEFILE_DELAY_UNTIL_REBOOT); }),
      std::make_pair(FALSE, static_cast<DWORD>(ERROR_NOT_SUPPORTED)));
  EXPECT_EQ(m_.ReadFile("C:\\App\\a.txt"), "alpha");
}

}  // namespace
}  // namespace lyn::sim
