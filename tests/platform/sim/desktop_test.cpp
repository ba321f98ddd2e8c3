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

TEST_F(DesktopTest, OwnWindowsChangeUntilRemoved) {
  Desktop desktop(machine_);
  const win::HWND main = desktop.Add("ThunderRT6Main", "LYNSetup", false);
  const win::HWND form = desktop.Add("LYNSetupForm", "LYN Setup", false);
  EXPECT_TRUE(desktop.SetVisible(form, true));
  EXPECT_TRUE(desktop.SetCaption(form, "Other"));
  EXPECT_EQ(desktop.Find(form)->caption, "Other");
  EXPECT_TRUE(desktop.Find(form)->visible);
  EXPECT_TRUE(desktop.Remove(main));
  EXPECT_FALSE(desktop.Remove(main));
  EXPECT_FALSE(desktop.Find(main));
  desktop.RemoveAllOfThisProcess();
  EXPECT_TRUE(desktop.List().empty());
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
    const win::HWND handle = desktop.Add("ThunderRT6Main", "LYN\tSetup", false);
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
  EXPECT_EQ(desktop.Find(childWindow)->caption, "LYN\tSetup") << "a tab survives the file";
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
