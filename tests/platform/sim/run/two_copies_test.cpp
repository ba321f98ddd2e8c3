// Two copies of the program on one machine. Each copy is a forked process
// held at the desktop's hooks, and the test orders the copies by the events
// they report through pipes, never by waiting for time to pass.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>

#include "platform/sim/desktop.h"
#include "platform/sim/machine/scratch_folder.h"
#include "platform/sim/run/run_program.h"

namespace lyn::sim {
namespace {

using testing::ScratchFolder;

// One copy: it tells the test where it is and waits for the word to go on.
struct Copy {
  int toTest[2];
  int fromTest[2];
  pid_t process = 0;

  void Await(char point) const {
    char got = 0;
    ASSERT_EQ(read(toTest[0], &got, 1), 1);
    EXPECT_EQ(got, point);
  }
  void Release() const { ASSERT_EQ(write(fromTest[1], "g", 1), 1); }
};

// In the copy: reports `point` and waits, the first time only.
std::function<void()> HoldOnce(const Copy& copy, char point) {
  return [&copy, point, held = false]() mutable {
    if (held) return;
    held = true;
    char go = 0;
    if (write(copy.toTest[1], &point, 1) != 1 || read(copy.fromTest[0], &go, 1) != 1) _exit(9);
  };
}

// Starts a copy of the program on the machine in `folder`, its transcript
// going to "<name>.out"; `hold` sets the copy's hooks.
void Start(Copy& copy, const std::filesystem::path& folder, const std::string& name,
           const std::function<void(const Copy&)>& hold) {
  ASSERT_EQ(pipe(copy.toTest), 0);
  ASSERT_EQ(pipe(copy.fromTest), 0);
  copy.process = fork();
  ASSERT_GE(copy.process, 0);
  if (copy.process == 0) {
    const std::string out = (folder / (name + ".out")).string();
    const int file = open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (file < 0 || dup2(file, STDOUT_FILENO) < 0) _exit(8);
    hold(copy);
    RunProgram(Machine::Open(folder / "machine"), HeadlessBackend(Script{}));
  }
  // A copy that dies closes its ends, so that the test reads its end
  // instead of waiting for ever.
  close(copy.toTest[1]);
  close(copy.fromTest[0]);
}

// Waits for a copy to end; its transcript.
std::string Finish(const Copy& copy, const std::filesystem::path& folder, const std::string& name) {
  int status = 0;
  EXPECT_EQ(waitpid(copy.process, &status, 0), copy.process);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << name << ": " << status;
  std::ostringstream out;
  out << std::ifstream(folder / (name + ".out")).rdbuf();
  return out.str();
}

// Both have put up their application window before either lists the windows,
// and neither takes its windows down before both have looked.
TEST(TwoCopiesTest, StartedTogetherBothSeeTheOtherAndEnd) {
  ScratchFolder folder;
  Machine::Create(folder.path() / "machine", Profile{});
  Copy copies[2];
  for (int i = 0; i < 2; ++i) {
    Start(copies[i], folder.path(), std::to_string(i), [](const Copy& copy) {
      DesktopHooks::beforeListing = HoldOnce(copy, 'L');
      DesktopHooks::beforeRemovingAll = HoldOnce(copy, 'R');
    });
  }
  for (const char point : {'L', 'R'}) {
    for (const Copy& copy : copies) copy.Await(point);
    for (const Copy& copy : copies) copy.Release();
  }
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(Finish(copies[i], folder.path(), std::to_string(i)),
              "elevation: consent Yes\nended: previous instance\n")
        << "copy " << i;
  }
}

TEST(TwoCopiesTest, ASecondCopyEndsAndLeavesTheFirstAlone) {
  ScratchFolder folder;
  Machine::Create(folder.path() / "machine", Profile{});
  Copy first;
  Copy second;
  // The first copy plays its script and is held before its windows go.
  Start(first, folder.path(), "first",
        [](const Copy& copy) { DesktopHooks::beforeRemovingAll = HoldOnce(copy, 'R'); });
  first.Await('R');
  Start(second, folder.path(), "second", [](const Copy&) {});
  EXPECT_EQ(Finish(second, folder.path(), "second"),
            "elevation: consent Yes\nended: previous instance\n");
  first.Release();
  EXPECT_TRUE(Finish(first, folder.path(), "first").ends_with("\nended: script done\n"));
}

}  // namespace
}  // namespace lyn::sim
