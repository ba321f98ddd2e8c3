// The cabinet service's host I/O reads cabinets only through the machine's
// drive folders: a symbolic link placed inside the machine, to a folder or a
// file outside it, is never read through. Extracted files go to the file the
// machine's file layer opened, which follows no link either.
#include "platform/sim/cabinet/cabinet_io.h"

#include <fcntl.h>
#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>

#include "fakes/machine_platform.h"
#include "platform/sim/machine/host_faults.h"
#include "platform/sim/machine/scratch_folder.h"

namespace lyn::sim {
namespace {

namespace fs = std::filesystem;

TEST(CabinetIoTest, NeverReadsThroughALinkInsideTheMachine) {
  const testing::ScratchFolder outside;
  fs::create_directories(outside.path());
  std::ofstream(outside.path() / "outside.cab") << "MSCF";
  fakes::MachinePlatform machine;
  machine.MakeFolder("C:\\Out");
  machine.MakeFolder("C:\\Media");
  fs::create_directory_symlink(outside.path(), machine.Host("C:\\Out") / "linked");
  fs::create_symlink(outside.path() / "outside.cab", machine.Host("C:\\Media") / "link.cab");

  CabinetIo io(machine.machine().drives());
  mspack_system& system = io.system;
  EXPECT_EQ(system.open(&system, "C/Media/link.cab", MSPACK_SYS_OPEN_READ), nullptr);
  EXPECT_EQ(system.open(&system, "C/Out/linked", MSPACK_SYS_OPEN_READ), nullptr);

  // The same I/O writes to the file it is given and reads a plain file.
  UniqueFd output;
  ASSERT_EQ(machine.machine().drives().Open("C/Out/plain.txt", O_WRONLY | O_CREAT, output), 0);
  io.output = output.get();
  mspack_file* file = system.open(&system, "C/Out/linked/entry.txt", MSPACK_SYS_OPEN_WRITE);
  ASSERT_NE(file, nullptr);
  char text[] = "written";
  EXPECT_EQ(system.write(file, text, 7), 7);
  system.close(file);
  EXPECT_EQ(machine.ReadFile("C:\\Out\\plain.txt"), "written");
  EXPECT_FALSE(fs::exists(outside.path() / "entry.txt")) << "the name given is not opened";
  file = system.open(&system, "C/Out/plain.txt", MSPACK_SYS_OPEN_READ);
  ASSERT_NE(file, nullptr);
  char back[16] = {};
  EXPECT_EQ(system.read(file, back, sizeof back), 7);
  system.close(file);

  const ArmedHostFaults fault({FaultKind::IoError, 1, HostCall::Write});
  file = system.open(&system, "", MSPACK_SYS_OPEN_WRITE);
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(system.write(file, text, 3), -1);
  EXPECT_EQ(io.writeError, EIO);
  system.close(file);
}

}  // namespace
}  // namespace lyn::sim
