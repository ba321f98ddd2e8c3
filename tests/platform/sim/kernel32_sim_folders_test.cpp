// The folder and volume queries of the emulated kernel32.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "fakes/machine_platform.h"

namespace lyn::sim {
namespace {

using namespace win;
using fakes::MachinePlatform;

constexpr DWORD ERROR_DIR_NOT_ROOT = 144;

TEST(SimKernel32FoldersTest, TooSmallBufferGetsTheSizeNeededAndNothingWritten) {
  Profile profile;
  profile.SystemDirectory = "C:\\Windows\\system32\\";
  profile.TempPath = "C:\\Users\\Jos\xC3\xA9\\Temp";
  MachinePlatform m(profile);
  Kernel32& k = m.platform().kernel32;
  const struct {
    std::function<UINT(LPSTR, UINT)> query;
    const char* expected;  // in code page 1252, as Windows returns it
  } cases[] = {
      {[&](LPSTR b, UINT s) { return k.GetSystemDirectoryA(b, s); }, "C:\\Windows\\system32"},
      {[&](LPSTR b, UINT s) { return k.GetTempPathA(s, b); }, "C:\\Users\\Jos\xE9\\Temp\\"},
  };
  for (const auto& c : cases) {
    const UINT length = static_cast<UINT>(std::strlen(c.expected));
    char buffer[300];
    std::memset(buffer, '#', sizeof buffer);
    EXPECT_EQ(c.query(buffer, length), length + 1) << c.expected;
    EXPECT_EQ(buffer[0], '#') << c.expected;
    EXPECT_EQ(c.query(nullptr, 0), length + 1) << c.expected;
    EXPECT_EQ(c.query(buffer, length + 1), length) << c.expected;
    EXPECT_STREQ(buffer, c.expected);
    EXPECT_EQ(buffer[length + 1], '#') << c.expected << ": nothing beyond the NUL";
  }
}

// The file-system name is reported as the profile writes it, with the flags
// of that file system.
TEST(SimKernel32FoldersTest, VolumesOfADriveRootReportTheirFileSystem) {
  Profile profile;
  SetField(profile, "Drive.D", "CDFS");
  SetField(profile, "Drive.D.VolumeName", "LYN67");
  SetField(profile, "Drive.D.SerialNumber", "0x12345678");
  SetField(profile, "Drive.E", "FAT32");
  SetField(profile, "Drive.F", "ntfs");
  SetField(profile, "CurrentDirectory", "D:\\");  // the root is current on D: only
  MachinePlatform m(profile);
  Kernel32& k = m.platform().kernel32;
  const struct {
    const char* root;
    DWORD error;  // 0: succeeds
    const char* fileSystem;
    DWORD flags;
  } cases[] = {
      {"C:\\", 0, "NTFS", FILE_PERSISTENT_ACLS},
      {"f:/", 0, "ntfs", FILE_PERSISTENT_ACLS},
      {"E:\\", 0, "FAT32", 0},
      {"D:", 0, "CDFS", FILE_READ_ONLY_VOLUME},
      {nullptr, 0, "CDFS", FILE_READ_ONLY_VOLUME},  // the current folder's drive
      {"C:", ERROR_INVALID_NAME, "", 0},
      {"C:\\Windows\\", ERROR_DIR_NOT_ROOT, "", 0},
      {"C:\\Windows", ERROR_INVALID_NAME, "", 0},
      {"Q:\\", ERROR_PATH_NOT_FOUND, "", 0},
  };
  for (const auto& c : cases) {
    const std::string root = c.root ? c.root : "(current)";
    char fileSystem[16] = "";
    DWORD flags = 0;
    const BOOL result = k.GetVolumeInformationA(c.root, nullptr, 0, nullptr, nullptr, &flags,
                                                fileSystem, sizeof fileSystem);
    EXPECT_EQ(result, c.error == 0 ? TRUE : FALSE) << root;
    if (c.error != 0) {
      EXPECT_EQ(k.GetLastError(), c.error) << root;
      continue;
    }
    EXPECT_STREQ(fileSystem, c.fileSystem) << root;
    EXPECT_EQ(flags & (FILE_PERSISTENT_ACLS | FILE_READ_ONLY_VOLUME), c.flags) << root;
  }
  char label[8];
  DWORD serial = 0;
  ASSERT_EQ(
      k.GetVolumeInformationA("D:\\", label, sizeof label, &serial, nullptr, nullptr, nullptr, 0),
      TRUE);
  EXPECT_STREQ(label, "LYN67");
  EXPECT_EQ(serial, 0x12345678u);
}

}  // namespace
}  // namespace lyn::sim
