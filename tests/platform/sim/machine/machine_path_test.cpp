// How Windows paths of a machine land on the host: Windows' own folding of
// names, and containment in the machine folder whatever the path says.
#include <gtest/gtest.h>

#include <fstream>

#include "platform/sim/machine/machine.h"
#include "platform/sim/machine/scratch_folder.h"

namespace lyn::sim {
namespace {

namespace fs = std::filesystem;
using testing::ScratchFolder;

class MachinePathTest : public ::testing::Test {
 protected:
  Machine Make(const std::string& preset) {
    Profile profile = FindPreset(preset).profile;
    SetField(profile, "Drive.D", "CDFS");
    return Machine::Create(folder_.path(), profile);
  }
  fs::path DriveC() const { return folder_.path() / "drives" / "C"; }

  ScratchFolder folder_;
};

TEST_F(MachinePathTest, ExistingNamesMatchInAnyCaseAndNewNamesKeepTheirs) {
  const Machine machine = Make("win7-ultimate-sp1");
  const ResolvedPath existing = machine.Resolve("c:\\WINDOWS\\SYSTEM32");
  EXPECT_EQ(existing.windowsPath, "C:\\Windows\\system32");
  EXPECT_EQ(existing.drivePath, "C/Windows/system32");
  EXPECT_EQ(existing.parentPath, "C:\\Windows");
  EXPECT_TRUE(existing.parentExists);
  EXPECT_TRUE(existing.exists);

  const ResolvedPath fresh = machine.Resolve("C:\\windows\\NewFolder\\Read Me.TXT");
  EXPECT_EQ(fresh.windowsPath, "C:\\Windows\\NewFolder\\Read Me.TXT");
  EXPECT_EQ(fresh.drivePath, "C/Windows/NewFolder/Read Me.TXT");
  EXPECT_FALSE(fresh.parentExists) << "NewFolder is missing";
  EXPECT_TRUE(machine.Resolve("C:\\Windows\\Read Me.TXT").parentExists);
  EXPECT_FALSE(fresh.exists);

  fs::create_directories(DriveC() / "\xC3\x89t\xC3\xA9");  // "Été"
  EXPECT_EQ(machine.Resolve("C:\\\xC3\xA9T\xC3\x89").windowsPath, "C:\\\xC3\x89t\xC3\xA9");

  // When the host holds several spellings, the exact one wins.
  std::ofstream(DriveC() / "lyn.cab") << "lower";
  std::ofstream(DriveC() / "LYN.CAB") << "upper";
  EXPECT_EQ(machine.Resolve("C:\\lyn.cab").drivePath, "C/lyn.cab");
  EXPECT_EQ(machine.Resolve("C:\\LYN.CAB").drivePath, "C/LYN.CAB");
}

TEST_F(MachinePathTest, FoldsDotsSeparatorsAndRelativePathsAsWindowsDoes) {
  const Machine machine = Make("win7-ultimate-sp1");  // current folder C:\Distribution
  const struct {
    const char* path;
    const char* expected;
  } cases[] = {
      {"C:\\Windows\\..\\..\\..\\Users", "C:\\Users"},
      {"C:\\.\\Windows\\.\\", "C:\\Windows"},
      {"C:/Windows/system32", "C:\\Windows\\system32"},
      {"LYN.CAB", "C:\\Distribution\\LYN.CAB"},
      {".\\Maps\\..\\LYN.CAB", "C:\\Distribution\\LYN.CAB"},
      {"\\Windows", "C:\\Windows"},
      {"C:LYN.CAB", "C:\\Distribution\\LYN.CAB"},
      {"c:", "C:\\Distribution"},
      {"C:\\..", "C:\\"},
      {"d:setup.exe", "D:\\setup.exe"},
      // A name ending in one period loses it wherever it stands ("File path
      // formats on Windows systems"); the last name loses all its dots.
      {"C:\\x.\\QY.chm", "C:\\x\\QY.chm"},
      {"C:\\x..\\a.b...", "C:\\x..\\a.b"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(machine.Resolve(c.path).windowsPath, c.expected) << c.path;
  }
  EXPECT_EQ(machine.Resolve("C:\\..\\..\\etc\\passwd").drivePath, "C/etc/passwd");
}

TEST_F(MachinePathTest, RefusesPathsThatAreNotTheMachinesOrLeadOutOfIt) {
  const Machine machine = Make("win7-ultimate-sp1");
  for (const char* path :
       {"/etc/passwd", "//host/share", "\\\\server\\share\\file", "\\\\?\\C:\\Windows", "Z:\\file",
        "", "C:\\bad|name", "C:\\file:stream", "C:\\what?.txt", "C:\\tab\there"}) {
    EXPECT_THROW(machine.Resolve(path), MachineError) << path;
  }

  // No symbolic link is followed, wherever it points and whether or not its
  // target exists.
  ScratchFolder outside;
  fs::create_directories(outside.path());
  fs::create_directory_symlink(outside.path(), DriveC() / "Escape");
  fs::create_directory_symlink(folder_.path(), DriveC() / "MachineRoot");
  fs::create_directory_symlink(DriveC() / "Windows", DriveC() / "Alias");
  fs::create_symlink(outside.path() / "absent.txt", DriveC() / "Dangling.txt");
  for (const char* path : {"C:\\Escape", "C:\\escape\\new.txt", "C:\\MachineRoot\\profile.ini",
                           "C:\\alias\\system32", "c:\\DANGLING.TXT"}) {
    EXPECT_THROW(machine.Resolve(path), MachineError) << path;
  }
}

TEST_F(MachinePathTest, SystemFolderIsRedirectedForTheThirtyTwoBitProgramOnlyUnderWow64) {
  const Machine wow64 = Make("winxp-pro-x64");
  const struct {
    const char* path;
    const char* expected;
  } cases[] = {
      {"C:\\WINDOWS\\system32\\MSVBVM60.DLL", "C:\\WINDOWS\\SysWOW64\\MSVBVM60.DLL"},
      {"c:\\windows\\SYSTEM32", "C:\\WINDOWS\\SysWOW64"},
      {"C:\\WINDOWS\\system32x\\a.dll", "C:\\WINDOWS\\system32x\\a.dll"},
      {"C:\\WINDOWS\\SysWOW64\\a.dll", "C:\\WINDOWS\\SysWOW64\\a.dll"},
      {"C:\\WINDOWS\\system32\\..\\win.ini", "C:\\WINDOWS\\win.ini"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(wow64.Resolve(c.path).windowsPath, c.expected) << c.path;
  }
  EXPECT_TRUE(fs::is_directory(DriveC() / "WINDOWS" / "system32"))
      << "the native folder exists too";

  ScratchFolder plainFolder;
  const Machine plain = Machine::Create(plainFolder.path(), FindPreset("winxp-pro").profile);
  EXPECT_EQ(plain.Resolve("C:\\WINDOWS\\system32\\a.dll").windowsPath,
            "C:\\WINDOWS\\system32\\a.dll");
  EXPECT_FALSE(fs::exists(plainFolder.path() / "drives" / "C" / "WINDOWS" / "SysWOW64"));
}

}  // namespace
}  // namespace lyn::sim
