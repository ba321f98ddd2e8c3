#include "sysinfo/file_version.h"

#include <gtest/gtest.h>

#include "fakes/machine_platform.h"

namespace lyn {
namespace {

TEST(DescribeFixedFileInfo, TextsOfEveryField) {
  const struct {
    win::DWORD flags, os, type, subtype;
    const char *flagsText, *osText, *typeText, *subtypeText;
  } table[] = {
      {0x00, 0x00040004, 1, 3, "", "NT-Win32", "App", ""},
      {0x03, 0x00010001, 2, 0, "Debug PreRel", "DOS-Win16", "DLL", ""},
      {0x3F, 0x00010004, 3, 0, "Debug PreRel Patched Private Info Special", "DOS-Win32", "Driver",
       "Unknown"},
      {0x10, 0x00020002, 3, 10, "Info", "OS/2-16 PM-16", "Driver", "Comm drv"},
      {0xC0, 0x00030003, 3, 11, "", "OS/2-16 PM-32", "Driver", ""},
      {0x04, 0x00040000, 6, 8, "Patched", "Unknown", "Unknown", ""},
      {0x00, 0, 7, 0, "", "Unknown", "Lib", ""},
  };
  for (const auto& row : table) {
    win::VS_FIXEDFILEINFO fixed{};
    fixed.dwStrucVersion = 0x00010000;
    fixed.dwFileVersionMS = 0x00080000;
    fixed.dwFileVersionLS = 0x177149D8;
    fixed.dwProductVersionMS = 0xFFFF0007;
    fixed.dwProductVersionLS = 0x0000FFFF;
    fixed.dwFileFlags = row.flags;
    fixed.dwFileOS = row.os;
    fixed.dwFileType = row.type;
    fixed.dwFileSubtype = row.subtype;
    EXPECT_EQ(DescribeFixedFileInfo(fixed),
              (FileVersionInfo{"1.0", "8.0.6001.18904", "65535.7.0.65535", row.flagsText,
                               row.osText, row.typeText, row.subtypeText}))
        << row.flags << " " << row.type;
  }
}

// Files with a version are read end to end by the fileinfo command.
TEST(GetFileVersionInformation, FilesWithoutAVersionGiveEmptyTexts) {
  fakes::MachinePlatform machine;
  machine.PutFile("C:\\Windows\\system32\\plain.dll", fakes::TestImage("plain_library_i686.dll"));
  for (const char* path : {"C:\\Windows\\system32\\plain.dll", "C:\\Windows\\missing.dll"}) {
    EXPECT_EQ(GetFileVersionInformation(machine.platform(), path), FileVersionInfo{}) << path;
  }
}

}  // namespace
}  // namespace lyn
