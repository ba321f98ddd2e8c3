// The desktop shared by the processes running on one machine.
#include "platform/sim/desktop.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

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
  EXPECT_EQ(desktop.Find(childWindow)->caption, "LYN\tSetup") << "a tab survives the store";
  EXPECT_FALSE(desktop.IsOwn(childWindow));
  EXPECT_FALSE(desktop.SetCaption(childWindow, "not mine"));
  EXPECT_TRUE(desktop.SetCaption(own, "mine") && desktop.SetVisible(own, true));
  EXPECT_TRUE(desktop.Find(own)->caption == "mine" && desktop.Find(own)->visible);

  (void)!write(release[1], "x", 1);
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  EXPECT_FALSE(desktop.Find(childWindow)) << "the dead process's rows are ignored";
  EXPECT_EQ(desktop.List().size(), 1u);
  for (const int fd : {ready[0], ready[1], release[0], release[1]}) close(fd);
}

TEST_F(DesktopTest, WindowsOfAReusedProcessNumberDoNotCount) {
  // Rows left by earlier processes whose numbers now belong to live ones
  // (the parent, and this process itself), with other start times.
  const auto leave = [&](int processId) {
    machine_.State().Write([&](const Transaction& t) {
      t.Prepare("INSERT INTO desktop_windows VALUES (?1, ?2, 1, 'ThunderRT6Main', 'LYNSetup', 0)")
          .Bind(1, (std::int64_t{processId} << 12) | 4)
          .Bind(2, std::int64_t{processId})
          .Run();
    });
  };
  leave(static_cast<int>(getppid()));
  leave(static_cast<int>(getpid()));
  Desktop desktop(machine_);
  EXPECT_TRUE(desktop.List().empty());
  const win::HWND own = desktop.Add("ThunderRT6Main", "LYNSetup", false);
  ASSERT_EQ(desktop.List().size(), 1u) << "the earlier process's row gave way";
  EXPECT_EQ(desktop.List().front().handle, own);
}

}  // namespace
}  // namespace lyn::sim
