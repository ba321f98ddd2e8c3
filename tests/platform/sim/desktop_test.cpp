// The desktop shared by the processes running on one machine.
#include "platform/sim/desktop.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>

#include "platform/sim/machine/scratch_folder.h"

namespace lyn::sim {
namespace {

using testing::ScratchFolder;

class DesktopTest : public ::testing::Test {
 protected:
  DesktopTest() : machine_(Machine::Create(folder_.path(), Profile{})) {}

  ScratchFolder folder_;
  Machine machine_;
};

TEST_F(DesktopTest, DesktopObjectsOfOneProcessShareItsWindows) {
  Desktop user32Side(machine_);
  Desktop formSide(machine_);
  const win::HWND main = user32Side.Add("ThunderRT6Main", "LYNSetup", false);
  const win::HWND form = formSide.Add("ThunderRT6FormDC", "LYN Setup", true);
  EXPECT_TRUE(formSide.SetCaption(main, "LYN\tSetup"));
  EXPECT_TRUE(formSide.SetVisible(main, true));
  const auto found = user32Side.Find(main);
  ASSERT_TRUE(found.has_value());
  EXPECT_EQ(found->caption, "LYN\tSetup");
  EXPECT_TRUE(found->visible);
  EXPECT_EQ(found->processId, static_cast<int>(getpid()));

  EXPECT_TRUE(user32Side.Remove(main));
  EXPECT_FALSE(formSide.Remove(main));
  EXPECT_NE(formSide.Add("Other", "", false), form) << "a live handle is not handed out again";
  formSide.RemoveAllOfThisProcess();
  EXPECT_TRUE(user32Side.List().empty());
}

TEST_F(DesktopTest, AnotherProcessesWindowCountsWhileItLives) {
  int ready[2];
  int release[2];
  ASSERT_EQ(pipe(ready), 0);
  ASSERT_EQ(pipe(release), 0);
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    Desktop desktop(machine_);
    const win::HWND handle = desktop.Add("ThunderRT6Main", "LYNSetup", false);
    (void)!write(ready[1], &handle, sizeof handle);
    char go;
    (void)!read(release[0], &go, 1);
    _exit(0);
  }
  win::HWND childWindow = 0;
  ASSERT_EQ(read(ready[0], &childWindow, sizeof childWindow),
            static_cast<ssize_t>(sizeof childWindow));
  Desktop desktop(machine_);
  const win::HWND own = desktop.Add("ThunderRT6Main", "LYNSetup", false);
  EXPECT_NE(own, childWindow);
  ASSERT_TRUE(desktop.Find(childWindow)) << "the running copy sees the other one";
  EXPECT_EQ(desktop.Find(childWindow)->processId, child);
  EXPECT_FALSE(desktop.IsOwn(childWindow));
  EXPECT_FALSE(desktop.SetCaption(childWindow, "not mine"));

  (void)!write(release[1], "x", 1);
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  EXPECT_FALSE(desktop.Find(childWindow)) << "the dead process's file is left but ignored";
  EXPECT_EQ(desktop.List().size(), 1u);
  for (const int fd : {ready[0], ready[1], release[0], release[1]}) close(fd);
}

TEST_F(DesktopTest, WindowsOfAReusedProcessNumberOrOfUnreadableFilesDoNotCount) {
  Desktop desktop(machine_);
  const std::filesystem::path folder = machine_.Root() / "desktop";
  // The parent process lives, but with a different start time than this
  // file claims: its number was reused.
  const int parent = static_cast<int>(getppid());
  std::ofstream(folder / (std::to_string(parent) + ".windows"))
      << "process\t" << parent << "\t1\n4096\t0\tThunderRT6Main\tLYNSetup\n";
  std::ofstream(folder / "garbage.windows") << "not a window file";
  std::ofstream(folder / "77.windows") << "process\t78\t1\n4096\t0\tThunderRT6Main\tLYNSetup\n";
  EXPECT_TRUE(desktop.List().empty());
}

}  // namespace
}  // namespace lyn::sim
