// The cabinet service's host I/O reaches files only through the machine's
// drive folders: a symbolic link placed inside the machine, to a folder or a
// file outside it, is never read or written through, whether its target
// exists or not.
#include "platform/sim/cabinet/cabinet_io.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>

#include "fakes/machine_platform.h"
#include "platform/sim/machine/scratch_folder.h"

namespace lyn::sim {
namespace {

namespace fs = std::filesystem;

TEST(CabinetIoTest, NeverReadsOrWritesThroughALinkInsideTheMachine) {
  const testing::ScratchFolder outside;
  fs::create_directories(outside.path());
  std::ofstream(outside.path() / "outside.cab") << "MSCF";
  fakes::MachinePlatform machine;
  machine.MakeFolder("C:\\Out");
  machine.MakeFolder("C:\\Media");
  fs::create_directory_symlink(outside.path(), machine.Host("C:\\Out") / "linked");
  fs::create_symlink(outside.path() / "dangling.txt", machine.Host("C:\\Out") / "dangling.txt");
  fs::create_symlink(outside.path() / "outside.cab", machine.Host("C:\\Media") / "link.cab");

  CabinetIo io(machine.machine().drives());
  mspack_system& system = io.system;
  for (const char* target : {"C/Out/linked/entry.txt", "C/Out/dangling.txt"}) {
    io.ResetErrors();
    EXPECT_EQ(system.open(&system, target, MSPACK_SYS_OPEN_WRITE), nullptr) << target;
    EXPECT_EQ(io.openError, ELOOP) << target;
  }
  EXPECT_EQ(system.open(&system, "C/Media/link.cab", MSPACK_SYS_OPEN_READ), nullptr);
  EXPECT_EQ(system.open(&system, "C/Out/linked", MSPACK_SYS_OPEN_READ), nullptr);
  std::size_t entries = 0;
  for ([[maybe_unused]] const auto& entry : fs::directory_iterator(outside.path())) ++entries;
  EXPECT_EQ(entries, 1u) << "only outside.cab, nothing written beside it";

  // The same I/O writes and reads a plain file of the machine.
  mspack_file* file = system.open(&system, "C/Out/plain.txt", MSPACK_SYS_OPEN_WRITE);
  ASSERT_NE(file, nullptr);
  char text[] = "written";
  EXPECT_EQ(system.write(file, text, 7), 7);
  system.close(file);
  EXPECT_EQ(machine.ReadFile("C:\\Out\\plain.txt"), "written");
  file = system.open(&system, "C/Out/plain.txt", MSPACK_SYS_OPEN_READ);
  ASSERT_NE(file, nullptr);
  char back[16] = {};
  EXPECT_EQ(system.read(file, back, sizeof back), 7);
  system.close(file);
}

TEST(CabinetIoTest, AWriteThatFailsIsReportedWithItsHostError) {
  fakes::MachinePlatform machine;
  machine.MakeFolder("C:\\Out");
  CabinetIo io(machine.machine().drives());
  mspack_system& system = io.system;
  mspack_file* file = system.open(&system, "C/Out/a.bin", MSPACK_SYS_OPEN_WRITE);
  ASSERT_NE(file, nullptr);
  machine.machine().drives().FailWrite(1);
  char data[] = "abc";
  EXPECT_EQ(system.write(file, data, 3), -1);
  EXPECT_EQ(io.writeError, EIO);
  system.close(file);
}

}  // namespace
}  // namespace lyn::sim
