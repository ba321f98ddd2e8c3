// The last error of the emulated machine: one value per thread, shared by
// every emulated library, and the Windows failure (never a C++ exception)
// when the machine's state is damaged. Each call starts from a sentinel last
// error, and its result and last error are checked together.
#include "platform/sim/last_error.h"

#include <gtest/gtest.h>

#include <thread>

#include "fakes/machine_platform.h"

namespace lyn::sim {
namespace {

using namespace win;

constexpr DWORD kSentinel = 0xdeadbeef;
constexpr DWORD ERROR_FILE_CORRUPT = 1392;
const char* const kFile = "C:\\Distribution\\LYN.CAB";

class LastErrorTest : public ::testing::Test {
 protected:
  LastErrorTest() {
    m_.PutFile(kFile, "cab");
    m_.SetAttributes(kFile, FILE_ATTRIBUTE_READONLY);
  }

  void Damage(const char* sql) {
    m_.machine().State().Write([&](const Transaction& t) { t.Prepare(sql).Run(); });
  }

  fakes::MachinePlatform m_;
  Kernel32& k_ = m_.platform().kernel32;
};

TEST_F(LastErrorTest, OneValuePerThreadSharedByEveryLibrary) {
  k_.SetLastError(kSentinel);
  EXPECT_EQ(k_.GetLastError(), kSentinel);

  DWORD handle = 0;
  EXPECT_EQ(m_.platform().version.GetFileVersionInfoSizeA("C:\\missing.dll", &handle), 0u);
  EXPECT_EQ(k_.GetLastError(), ERROR_FILE_NOT_FOUND) << "version.dll sets kernel32's value";

  DWORD other = 0;
  std::thread([&] {
    other = k_.GetLastError();
    k_.SetLastError(ERROR_ACCESS_DENIED);
  }).join();
  EXPECT_EQ(other, ERROR_SUCCESS) << "a new thread starts with its own value";
  EXPECT_EQ(k_.GetLastError(), ERROR_FILE_NOT_FOUND) << "another thread's value is its own";
}

TEST_F(LastErrorTest, ADamagedAttributesEntryFailsTheCallsThatReadIt) {
  Damage("UPDATE file_attributes SET attributes = 'hidden'");
  WIN32_FIND_DATAA data{};
  k_.SetLastError(kSentinel);
  EXPECT_EQ(k_.GetFileAttributesA(kFile), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(k_.GetLastError(), ERROR_FILE_CORRUPT);

  k_.SetLastError(kSentinel);
  EXPECT_EQ(k_.FindFirstFileA("C:\\Distribution\\*", &data), INVALID_HANDLE_VALUE);
  EXPECT_EQ(k_.GetLastError(), ERROR_FILE_CORRUPT);

  k_.SetLastError(kSentinel);
  EXPECT_EQ(k_.CreateFileA(kFile, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, 0),
            INVALID_HANDLE_VALUE);
  EXPECT_EQ(k_.GetLastError(), ERROR_FILE_CORRUPT);

  Damage("UPDATE file_attributes SET attributes = 65536");
  k_.SetLastError(kSentinel);
  EXPECT_EQ(k_.GetFileAttributesA(kFile), INVALID_FILE_ATTRIBUTES) << "not a DOS attribute";
  EXPECT_EQ(k_.GetLastError(), ERROR_FILE_CORRUPT);
}

TEST_F(LastErrorTest, AStoreDamagedUnderARunningMachineFailsEveryLibrarysCalls) {
  Damage("DROP TABLE open_files");
  Damage("DROP TABLE desktop_windows");
  k_.SetLastError(kSentinel);
  EXPECT_EQ(k_.CreateFileA("C:\\new.txt", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, 0),
            INVALID_HANDLE_VALUE);
  EXPECT_EQ(k_.GetLastError(), ERROR_FILE_CORRUPT);

  User32& user32 = m_.platform().user32;
  k_.SetLastError(kSentinel);
  EXPECT_EQ(user32.EnumWindows([](HWND, LPARAM) -> BOOL { return TRUE; }, 0), FALSE);
  EXPECT_EQ(k_.GetLastError(), ERROR_FILE_CORRUPT);
}

}  // namespace
}  // namespace lyn::sim
