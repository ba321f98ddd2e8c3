// The folder and volume queries of the emulated kernel32.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "platform/sim/machine/scratch_machine.h"

namespace lyn::sim {
namespace {

using namespace win;
using testing::ScratchMachine;

constexpr DWORD ERROR_DIR_NOT_ROOT = 144;

TEST(SimKernel32FoldersTest, TooSmallBufferGetsTheSizeNeededAndNothingWritten) {
  Profile profile;
  profile.SystemDirectory = "C:\\Windows\\system32\\";
  profile.TempPath = "C:\\Users\\Jos\xC3\xA9\\Temp";
  ScratchMachine m(profile);
  const struct {
    const char* name;
    std::function<UINT(LPSTR, UINT)> query;
    const char* expected;  // in code page 1252, as Windows returns it
  } cases[] = {
      {"system", [&](LPSTR b, UINT s) { return m.kernel32.GetSystemDirectoryA(b, s); },
       "C:\\Windows\\system32"},
      {"windows", [&](LPSTR b, UINT s) { return m.kernel32.GetWindowsDirectoryA(b, s); },
       "C:\\Windows"},
      {"temp", [&](LPSTR b, UINT s) { return m.kernel32.GetTempPathA(s, b); },
       "C:\\Users\\Jos\xE9\\Temp\\"},
  };
  for (const auto& c : cases) {
    const UINT length = static_cast<UINT>(std::strlen(c.expected));
    char buffer[300];
    std::memset(buffer, '#', sizeof buffer);
    EXPECT_EQ(c.query(buffer, length), length + 1) << c.name;
    EXPECT_EQ(buffer[0], '#') << c.name;
    EXPECT_EQ(c.query(nullptr, 0), length + 1) << c.name;
    EXPECT_EQ(c.query(buffer, length + 1), length) << c.name;
    EXPECT_STREQ(buffer, c.expected) << c.name;
    EXPECT_EQ(buffer[length + 1], '#') << c.name << ": nothing beyond the NUL";
  }
}

struct Volume {
  BOOL result;
  DWORD error;
  std::string fileSystem;
  std::string label;
  DWORD flags;
  DWORD serial;
};

Volume QueryVolume(Kernel32& kernel32, LPCSTR root) {
  char fileSystem[256] = "unset";
  char label[256] = "unset";
  Volume v{};
  v.result = kernel32.GetVolumeInformationA(root, label, sizeof label, &v.serial, nullptr, &v.flags,
                                            fileSystem, sizeof fileSystem);
  v.error = v.result ? 0 : kernel32.GetLastError();
  v.fileSystem = fileSystem;
  v.label = label;
  return v;
}

TEST(SimKernel32FoldersTest, EachFileSystemReportsItsOwnFlags) {
  const struct {
    const char* fileSystem;
    bool acls;
    bool readOnly;
  } cases[] = {
      {"NTFS", true, false}, {"ntfs", true, false}, {"FAT32", false, false}, {"CDFS", false, true}};
  for (const auto& c : cases) {
    Profile profile;
    SetField(profile, "Drive.D", c.fileSystem);
    SetField(profile, "Drive.D.VolumeName", "LYN67");
    SetField(profile, "Drive.D.SerialNumber", "0x12345678");
    SetField(profile, "CurrentDirectory", "D:\\Setup");
    ScratchMachine m(profile);
    const Volume v = QueryVolume(m.kernel32, nullptr);  // the current folder's drive
    ASSERT_EQ(v.result, TRUE) << c.fileSystem;
    EXPECT_EQ(v.fileSystem, c.fileSystem) << "reported as the profile writes it";
    EXPECT_EQ(v.label, "LYN67");
    EXPECT_EQ(v.serial, 0x12345678u);
    EXPECT_EQ((v.flags & FILE_PERSISTENT_ACLS) != 0, c.acls) << c.fileSystem;
    EXPECT_EQ((v.flags & FILE_READ_ONLY_VOLUME) != 0, c.readOnly) << c.fileSystem;
  }
}

TEST(SimKernel32FoldersTest, RootMustNameADriveRootThatHoldsTheNames) {
  Profile profile;
  SetField(profile, "Drive.D", "CDFS");
  SetField(profile, "CurrentDirectory", "D:\\");  // the root is current on D: only
  ScratchMachine m(profile);
  const struct {
    const char* root;
    DWORD error;  // 0: succeeds
  } cases[] = {
      {"C:\\", 0},
      {"c:/", 0},
      {"D:", 0},
      {"C:", ERROR_INVALID_NAME},
      {"C:\\Windows\\", ERROR_DIR_NOT_ROOT},
      {"C:\\Windows", ERROR_INVALID_NAME},
      {"Windows", ERROR_INVALID_NAME},
      {"Q:\\", ERROR_PATH_NOT_FOUND},
  };
  for (const auto& c : cases) {
    const Volume v = QueryVolume(m.kernel32, c.root);
    EXPECT_EQ(v.result, c.error == 0 ? TRUE : FALSE) << c.root;
    EXPECT_EQ(v.error, c.error) << c.root;
  }
  char fileSystem[4];
  EXPECT_EQ(m.kernel32.GetVolumeInformationA("C:\\", nullptr, 0, nullptr, nullptr, nullptr,
                                             fileSystem, sizeof fileSystem),
            FALSE)
      << "\"NTFS\" needs five bytes";
}

}  // namespace
}  // namespace lyn::sim
