// End to end: lynsim new gives an object an owner and list, lynsim acl shows it.
#include <gtest/gtest.h>

#include <string>

#include "tools/lynsim/lynsim_process.h"

namespace {

using lyn::testing::LynsimResult;
using lyn::testing::ScratchMachine;

TEST(AclCommandTest, ShowsWhatNewSetAndTheDefaults) {
  ScratchMachine scratch(
      "--set IsAdmin=false --set UsersGroupName=Benutzer "
      "--set 'Security:C:\\Windows=owner=S-1-5-21-7-1234;allow=Benutzer:0x1200A9:3;"
      "deny=Everyone:0x40000'");
  const LynsimResult folder = scratch.Lynsim("acl " + scratch.machine() + " 'c:\\windows'");
  EXPECT_EQ(folder.status, 0) << folder.err;
  EXPECT_EQ(folder.out,
            "C:\\Windows\nowner S-1-5-21-7-1234\ngroup NT AUTHORITY\\SYSTEM\n"
            "allow BUILTIN\\Benutzer 0x001200A9 0x03\ndeny Everyone 0x00040000 0x00\n");

  const LynsimResult key = scratch.Lynsim("acl " + scratch.machine() + " 'HKLM\\Software\\Orrin'");
  EXPECT_EQ(key.out,
            "HKEY_LOCAL_MACHINE\\Software\\Orrin\nowner BUILTIN\\Administrators\n"
            "group NT AUTHORITY\\SYSTEM\nallow BUILTIN\\Benutzer 0x00020019 0x12\n"
            "allow BUILTIN\\Administrators 0x000F003F 0x12\n"
            "allow NT AUTHORITY\\SYSTEM 0x000F003F 0x12\n");

  const LynsimResult bad =
      scratch.Lynsim("new " + scratch.machine() + "2 --set 'Security:C:\\x=allow=Nobody:1'");
  EXPECT_EQ(bad.status, 2);
  EXPECT_TRUE(bad.err.starts_with("lynsim: 'allow=Nobody:1': the machine has no account 'Nobody'"))
      << bad.err;
}

}  // namespace
