// Names Windows treats specially before it looks at a folder: reserved
// device names, the dots and blanks that end a name, and names too long for
// the file system or for the ANSI functions. Each call starts from a known
// last error left by a failing call, so result and last error are checked
// together.
#include <gtest/gtest.h>

#include <string>

#include "fakes/machine_platform.h"

namespace lyn::sim {
namespace {

using namespace win;

constexpr HANDLE kNoHandle = 0xBAD0;
constexpr DWORD ERROR_FILENAME_EXCED_RANGE = 206;

class SimKernel32NamesTest : public ::testing::Test {
 protected:
  HANDLE Create(const std::string& path, DWORD creation = CREATE_ALWAYS) {
    Seed();
    return k_.CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, creation, 0, 0);
  }
  DWORD Attributes(const std::string& path) {
    Seed();
    return k_.GetFileAttributesA(path.c_str());
  }
  // Leaves ERROR_INVALID_HANDLE as the last error.
  void Seed() {
    k_.CloseHandle(kNoHandle);
    ASSERT_EQ(k_.GetLastError(), ERROR_INVALID_HANDLE);
  }
  // The last error of a call that must fail; 0 when it did not fail.
  DWORD ErrorOf(bool failed) { return failed ? k_.GetLastError() : 0; }
  bool HostHas(const char* name) const { return std::filesystem::exists(m_.Host("C:\\") / name); }

  fakes::MachinePlatform m_;
  Kernel32& k_ = m_.platform().kernel32;
};

TEST_F(SimKernel32NamesTest, DeviceNamesOpenTheNullDeviceOrNothingAndNeverAFile) {
  for (const char* path : {"NUL", "C:\\nul", "C:\\Windows\\Nul.txt", "c:\\NUL .log"}) {
    const HANDLE device = Create(path);
    ASSERT_NE(device, INVALID_HANDLE_VALUE) << path;
    EXPECT_EQ(k_.GetLastError(), ERROR_SUCCESS) << path;
    DWORD written = 0;
    EXPECT_EQ(k_.WriteFile(device, "abc", 3, &written, nullptr), TRUE);
    EXPECT_EQ(written, 3u);
    EXPECT_EQ(k_.CloseHandle(device), TRUE);
    EXPECT_EQ(Attributes(path), FILE_ATTRIBUTE_ARCHIVE) << path;
  }
  for (const char* path : {"C:\\CON", "C:\\prn.txt", "C:\\Aux", "C:\\com1", "C:\\LPT9.dat"}) {
    EXPECT_EQ(ErrorOf(Create(path) == INVALID_HANDLE_VALUE), ERROR_FILE_NOT_FOUND) << path;
    EXPECT_EQ(ErrorOf(Attributes(path) == INVALID_FILE_ATTRIBUTES), ERROR_FILE_NOT_FOUND) << path;
  }
  // Near misses are plain names.
  for (const char* name : {"COM0", "LPT10", "NULL", "CONSOLE.txt", "xNUL"}) {
    const HANDLE file = Create(std::string("C:\\") + name);
    EXPECT_NE(file, INVALID_HANDLE_VALUE) << name;
    k_.CloseHandle(file);
    EXPECT_TRUE(HostHas(name)) << name;
  }
  for (const char* name : {"NUL", "nul", "Nul.txt", "NUL .log", "CON", "prn.txt", "com1"}) {
    EXPECT_FALSE(HostHas(name)) << name;
  }
  // A device name as a folder on the way is no folder at all.
  EXPECT_EQ(ErrorOf(Create("C:\\NUL\\file.txt") == INVALID_HANDLE_VALUE), ERROR_PATH_NOT_FOUND);
}

TEST_F(SimKernel32NamesTest, TrailingDotsAndBlanksLeaveTheLastName) {
  const HANDLE file = Create("C:\\notes.txt. . ");
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  k_.CloseHandle(file);
  EXPECT_TRUE(HostHas("notes.txt"));
  EXPECT_EQ(Attributes("C:\\NOTES.TXT..."), FILE_ATTRIBUTE_ARCHIVE);
  EXPECT_EQ(Attributes("C:\\Windows\\..."), FILE_ATTRIBUTE_DIRECTORY) << "the folder itself";
}

TEST_F(SimKernel32NamesTest, OverLongNamesAndPathsAreRefusedWithTheirOwnErrors) {
  const std::string longest(255, 'n');
  const HANDLE file = Create("C:\\" + longest);
  EXPECT_NE(file, INVALID_HANDLE_VALUE);
  k_.CloseHandle(file);
  EXPECT_EQ(Attributes("C:\\" + longest), FILE_ATTRIBUTE_ARCHIVE);

  EXPECT_EQ(ErrorOf(Create("C:\\" + longest + "n") == INVALID_HANDLE_VALUE), ERROR_INVALID_NAME);
  EXPECT_EQ(ErrorOf(Attributes("C:\\" + longest + "n") == INVALID_FILE_ATTRIBUTES),
            ERROR_INVALID_NAME);

  // The ANSI functions take at most MAX_PATH - 1 characters.
  const std::string fits = "C:\\" + std::string(200, 'a') + "\\" + std::string(255 - 200, 'b');
  ASSERT_EQ(fits.size(), MAX_PATH - 1);
  EXPECT_EQ(ErrorOf(Attributes(fits) == INVALID_FILE_ATTRIBUTES), ERROR_PATH_NOT_FOUND);
  EXPECT_EQ(ErrorOf(Attributes(fits + "b") == INVALID_FILE_ATTRIBUTES), ERROR_FILENAME_EXCED_RANGE);
  EXPECT_EQ(ErrorOf(Create(fits + "b") == INVALID_HANDLE_VALUE), ERROR_FILENAME_EXCED_RANGE);

  EXPECT_EQ(ErrorOf(Create("C:\\bad|name.txt") == INVALID_HANDLE_VALUE), ERROR_INVALID_NAME);
}

}  // namespace
}  // namespace lyn::sim
