// lynsim loads its window module only for a run that may show a window: a
// copy of lynsim without the module beside it still runs headless, and a
// run that would need the window names the file it lacks.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/wait.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "tools/lynsim/lynsim_process.h"

namespace {

namespace fs = std::filesystem;
using lyn::testing::ScratchMachine;

struct Outcome {
  int status = -1;
  std::string out;
  std::string err;
};

Outcome RunShell(const std::string& command, const fs::path& scratch) {
  const fs::path out = scratch / "out";
  const fs::path err = scratch / "err";
  const int raw =
      std::system((command + " >'" + out.string() + "' 2>'" + err.string() + "'").c_str());
  const auto read = [](const fs::path& file) {
    std::stringstream text;
    text << std::ifstream(file).rdbuf();
    return text.str();
  };
  return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, read(out), read(err)};
}

TEST(LynsimWindowModuleTest, AHeadlessRunNeedsNoModuleAndAWindowedOneNamesIt) {
  const ScratchMachine scratch;
  const fs::path alone = scratch.folder() / "bin" / "lynsim";
  fs::create_directories(alone.parent_path());
  fs::copy_file(LYNSIM_PATH, alone);

  const Outcome headless =
      RunShell(alone.string() + " run " + scratch.machine() +
                   " --headless --click lblAcceptYes --click cmdOK --click cmdExit",
               scratch.folder());
  EXPECT_EQ(headless.status, 0) << headless.err;
  EXPECT_TRUE(headless.out.ends_with("\nended: Finish\n")) << headless.out;

  const Outcome windowed =
      RunShell("env -u DISPLAY " + alone.string() + " run " + scratch.machine(), scratch.folder());
  EXPECT_EQ(windowed.status, 1);
  EXPECT_NE(
      windowed.err.find("the window needs " + (alone.parent_path() / "lynsim-window.so").string()),
      std::string::npos)
      << windowed.err;
}

}  // namespace
