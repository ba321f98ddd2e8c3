#include "sysinfo/special_folders.h"

#include <gtest/gtest.h>

#include "fakes/fake_platform.h"
#include "security/cntfs.h"

namespace lyn {
namespace {

using fakes::FakePlatform;

TEST(FolderQueriesTest, TrimmedTextsOrEmptyOnesWhenThePathDoesNotFit) {
  FakePlatform fake;
  fake.kernel32.systemDirectory = " C:\\WINDOWS\\system32 ";
  fake.kernel32.windowsDirectory = "C:\\WINDOWS";
  fake.kernel32.tempPath = "C:\\TEMP\\";
  EXPECT_EQ(GetSystemDir(fake.platform), "C:\\WINDOWS\\system32");
  EXPECT_EQ(GetWindowsDir(fake.platform), "C:\\WINDOWS");
  EXPECT_EQ(GetTempDir(fake.platform), "C:\\TEMP\\") << "the temporary folder keeps its backslash";

  fake.kernel32.tempPath = "C:\\" + std::string(260, 'T') + "\\";
  fake.kernel32.systemDirectory = "C:\\" + std::string(300, 'S');
  EXPECT_EQ(GetTempDir(fake.platform), "");
  // The buffer of blanks is too small: the call writes nothing into it.
  EXPECT_EQ(GetSystemDir(fake.platform), "");

  // A special folder the shell cannot give is "NO".
  fake.shell32.folders = {{0x26, "C:\\Program Files"}};
  EXPECT_EQ(GetSpecialFolderPath(fake.platform, 0x26), "C:\\Program Files");
  EXPECT_EQ(GetSpecialFolderPath(fake.platform, 0x2B), "NO");
  EXPECT_EQ(GetSpecialFolderPath(fake.platform, -5), "NO");
}

TEST(IsNTFSTest, ComparesTheFileSystemNameInUpperCase) {
  const std::vector<std::pair<std::string, bool>> cases = {{"NTFS", true},   {"ntfs", true},
                                                           {"FAT32", false}, {"CDFS", false},
                                                           {"", false},      {"NTFS5", false}};
  for (const auto& [name, expected] : cases) {
    FakePlatform fake;
    fake.kernel32.fileSystemName = name;
    EXPECT_EQ(cNTFS(fake.platform).IsNTFS(), expected) << name;
  }
  FakePlatform failing;
  failing.kernel32.volumeQueryFails = true;
  EXPECT_FALSE(cNTFS(failing.platform).IsNTFS());
}

}  // namespace
}  // namespace lyn
