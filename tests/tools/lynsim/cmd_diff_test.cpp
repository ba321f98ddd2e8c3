// End to end: `lynsim diff` between a machine kept with `cp -a` and the same
// machine changed afterwards.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/sim/machine/host_view.h"
#include "platform/sim/machine/machine.h"
#include "platform/sim/registry/registry_text.h"
#include "platform/sim/security/accounts.h"
#include "platform/sim/security/security_model.h"
#include "tools/lynsim/lynsim_process.h"

namespace {

namespace fs = std::filesystem;
using lyn::testing::LynsimResult;
using lyn::testing::ScratchMachine;

void Put(const lyn::sim::Machine& machine, const std::string& path, const std::string& bytes) {
  const fs::path host = lyn::sim::HostPathOf(machine, path);
  fs::create_directories(host.parent_path());
  std::ofstream(host, std::ios::binary) << bytes;
}

TEST(LynsimDiffTest, SaysEachChangeOnceInSortedLines) {
  const ScratchMachine scratch;
  const lyn::sim::Machine machine = lyn::sim::Machine::Open(scratch.machine());
  Put(machine, "C:\\Data\\same.txt", "same");
  Put(machine, "C:\\Data\\changed.txt", "one");
  Put(machine, "C:\\Data\\gone.txt", "gone");
  fs::create_directories(lyn::sim::HostPathOf(machine, "C:\\Data\\Old"));
  lyn::sim::ImportRegistry(machine,
                           "Windows Registry Editor Version 5.00\n\n"
                           "[HKLM\\SOFTWARE\\Kept]\n\"v\"=dword:00000001\n\"w\"=\"z\"\n\n"
                           "[HKLM\\SOFTWARE\\Gone]\n\"x\"=\"y\"\n");
  const std::string before = (scratch.folder() / "before").string();
  ASSERT_EQ(std::system(("cp -a '" + scratch.machine() + "' '" + before + "'").c_str()), 0);
  const std::string diff = "diff '" + before + "' " + scratch.machine();
  LynsimResult result = scratch.Lynsim(diff);
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out, "");

  Put(machine, "C:\\Data\\changed.txt", "two");
  fs::remove(lyn::sim::HostPathOf(machine, "C:\\Data\\gone.txt"));
  fs::remove(lyn::sim::HostPathOf(machine, "C:\\Data\\Old"));
  Put(machine, "C:\\Data\\New\\new.txt", "new");
  machine.SetAttributes("C:\\Data\\same.txt", lyn::win::FILE_ATTRIBUTE_READONLY);
  lyn::sim::ImportRegistry(machine,
                           "Windows Registry Editor Version 5.00\n\n"
                           "[HKLM\\SOFTWARE\\Kept]\n\"v\"=\"one\"\n\"w\"=-\n\n"
                           "[-HKLM\\SOFTWARE\\Gone]\n\n"
                           "[HKLM\\SOFTWARE\\Added]\n@=hex:01,02\n");
  // The program's kind of grant: full control for Users, inherited by
  // everything inside.
  const lyn::sim::SecurityModel model(machine);
  const auto users = lyn::sim::SidOfAccountName(machine.profile(), "Users");
  ASSERT_TRUE(users.has_value());
  model.SetDacl(model.Find(lyn::sim::ObjectKind::File, "C:\\Data"),
                {lyn::sim::Ace{lyn::win::ACCESS_ALLOWED_ACE_TYPE, 3, 0x1F01FF, *users}});

  result = scratch.Lynsim(diff);
  EXPECT_EQ(result.status, 1) << result.err;
  EXPECT_EQ(result.out,
            "access added: C:\\Data: BUILTIN\\Users:(OI)(CI)(F)\n"
            "access added: C:\\Data\\changed.txt: BUILTIN\\Users:(I)(F)\n"
            "access added: C:\\Data\\same.txt: BUILTIN\\Users:(I)(F)\n"
            "file added: C:\\Data\\New\\new.txt\n"
            "file changed: C:\\Data\\changed.txt (content)\n"
            "file changed: C:\\Data\\same.txt (attributes ---A -> R---)\n"
            "file removed: C:\\Data\\gone.txt\n"
            "folder added: C:\\Data\\New\n"
            "folder removed: C:\\Data\\Old\n"
            "key added: HKEY_LOCAL_MACHINE\\SOFTWARE\\Added\n"
            "key removed: HKEY_LOCAL_MACHINE\\SOFTWARE\\Gone\n"
            "value added: HKEY_LOCAL_MACHINE\\SOFTWARE\\Added @=hex:01,02 (REG_BINARY)\n"
            "value changed: HKEY_LOCAL_MACHINE\\SOFTWARE\\Kept \"v\"=dword:00000001 (REG_DWORD) "
            "-> \"v\"=\"one\" (REG_SZ)\n"
            "value removed: HKEY_LOCAL_MACHINE\\SOFTWARE\\Gone \"x\"=\"y\" (REG_SZ)\n"
            "value removed: HKEY_LOCAL_MACHINE\\SOFTWARE\\Kept \"w\"=\"z\" (REG_SZ)\n");
  // The other way round, each change turns over.
  const LynsimResult back = scratch.Lynsim("diff " + scratch.machine() + " '" + before + "'");
  EXPECT_EQ(back.status, 1);
  EXPECT_NE(back.out.find("access removed: C:\\Data: BUILTIN\\Users:(OI)(CI)(F)\n"),
            std::string::npos)
      << back.out;
  EXPECT_NE(back.out.find("file changed: C:\\Data\\same.txt (attributes R--- -> ---A)\n"),
            std::string::npos)
      << back.out;
}

}  // namespace
