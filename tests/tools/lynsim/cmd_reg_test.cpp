// End to end: lynsim reg loads a registry file into a machine and prints a
// key back in the same format.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "tools/lynsim/lynsim_process.h"

namespace {

using lyn::testing::LynsimResult;
using lyn::testing::ScratchMachine;

TEST(RegCommandTest, ImportThenExportOfAKey) {
  ScratchMachine scratch;
  const auto file = scratch.folder() / "prepare.reg";
  std::ofstream(file) << "Windows Registry Editor Version 5.00\n\n"
                         "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\"
                         "Uninstall\\LYN67]\n\"Publisher\"=\"Orrin Works\"\n";
  const LynsimResult imported =
      scratch.Lynsim("reg " + scratch.machine() + " import " + file.string());
  EXPECT_EQ(imported.status, 0) << imported.err;
  const LynsimResult exported =
      scratch.Lynsim("reg " + scratch.machine() +
                     " export 'HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall'");
  EXPECT_EQ(exported.status, 0) << exported.err;
  EXPECT_EQ(exported.out,
            "Windows Registry Editor Version 5.00\n\n"
            "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall]\n\n"
            "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\LYN67]\n"
            "\"Publisher\"=\"Orrin Works\"\n\n");

  std::ofstream(file) << "Windows Registry Editor Version 5.00\n[HKLM\\X]\n\"A\"=wrong\n";
  const LynsimResult refused =
      scratch.Lynsim("reg " + scratch.machine() + " import " + file.string());
  EXPECT_EQ(refused.status, 1);
  EXPECT_EQ(refused.err.rfind("lynsim: " + file.string() + ": line 3: ", 0), 0u) << refused.err;
  EXPECT_EQ(scratch.Lynsim("reg " + scratch.machine() + " list").status, 2);
}

}  // namespace
