// End to end: the system files `lynsim new` puts on machines of Windows XP,
// Vista and 7, in the versions those systems ship, read back as the program
// reads them.
#include <gtest/gtest.h>

#include <string>

#include "platform/sim/machine/machine.h"
#include "platform/sim/machine/system_files.h"
#include "tools/lynsim/lynsim_process.h"

namespace {

using lyn::testing::LynsimResult;
using lyn::testing::ScratchMachine;

std::string FolderOf(const lyn::sim::Profile& profile, std::string_view destination) {
  if (destination == lyn::WSP) return profile.SystemDirectory;
  if (destination == lyn::PFCFMSDAO) {
    return profile.CommonFiles + "\\Microsoft Shared\\DAO";
  }
  return profile.WindowsDirectory;
}

// Each system's stand-ins are where its 32-bit programs look (SysWOW64 and
// "Program Files (x86)" on a 64-bit system) and report the table's versions;
// no other system's files are there.
TEST(DemoMachineTest, XpVistaAndSevenHoldTheirSystemFiles) {
  const struct {
    const char* preset;
    std::string_view system;
  } cases[] = {{"winxp-pro", "winxp"},
               {"vista-home-premium-x64", "vista"},
               {"win7-ultimate-sp1", "win7"},
               {"win2008-standard", ""}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.preset);
    const ScratchMachine scratch(std::string("--preset ") + c.preset);
    const lyn::sim::Machine machine = lyn::sim::Machine::Open(scratch.machine());
    EXPECT_EQ(lyn::sim::SystemOf(machine.profile()), c.system);
    for (const lyn::sim::SystemFile& file : lyn::sim::kSystemFiles) {
      const std::string path =
          FolderOf(machine.profile(), file.destination) + "\\" + std::string(file.fileName);
      const bool ownSystem = file.system == c.system;
      bool present = machine.Resolve(path).exists;
      if (!ownSystem) {
        // Another system's entry: present only when this system ships the same file.
        bool shipped = false;
        for (const lyn::sim::SystemFile& own : lyn::sim::kSystemFiles) {
          shipped = shipped || (own.system == c.system && own.fileName == file.fileName);
        }
        EXPECT_EQ(present, shipped) << path;
        continue;
      }
      ASSERT_TRUE(present) << path;
      const LynsimResult info = scratch.Lynsim("fileinfo " + scratch.machine() + " '" + path + "'");
      EXPECT_NE(info.out.find("\nFileVersion: " + std::string(file.version) + "\n"),
                std::string::npos)
          << info.out;
      EXPECT_NE(info.out.find(file.fileName.ends_with(".exe") ? "FileType: App" : "FileType: DLL"),
                std::string::npos)
          << info.out;
    }
  }
}

}  // namespace
