// The lynsim commands that make and inspect machines, run as a user would.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <string>

#include "platform/sim/machine/machine.h"
#include "platform/sim/machine/scratch_folder.h"

namespace lyn::lynsim {
namespace {

using sim::testing::ScratchFolder;

struct Result {
  int status;
  std::string output;  // standard output and error together
};

Result Lynsim(const std::string& arguments) {
  const std::string command = std::string(LYNSIM_PATH) + " " + arguments + " 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  Result result{-1, ""};
  char buffer[512];
  while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) result.output += buffer;
  const int status = pclose(pipe);
  result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

std::string Quoted(const std::string& text) {
  return "'" + text + "'";
}

TEST(LynsimMachineCommandsTest, PresetsListsEveryPresetDefaultFirst) {
  const Result result = Lynsim("presets");
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.output.rfind(sim::DefaultPresetName() + " ", 0), 0u);
  for (const sim::Preset& preset : sim::Presets()) {
    EXPECT_NE(result.output.find(preset.name + " "), std::string::npos) << preset.name;
  }
}

TEST(LynsimMachineCommandsTest, NewMakesTheMachineAndPathShowsWhereFilesLie) {
  ScratchFolder folder;
  const std::string dir = Quoted(folder.path().string());
  const Result made = Lynsim("new " + dir +
                             " --preset win7-ultimate-x64 --set Drive.D=CDFS"
                             " --set 'CurrentDirectory=D:\\'");
  ASSERT_EQ(made.status, 0) << made.output;
  const sim::Machine machine = sim::Machine::Open(folder.path());
  EXPECT_TRUE(machine.profile().Wow64);
  EXPECT_EQ(machine.profile().CurrentDirectory, "D:\\");

  const Result system = Lynsim("path " + dir + " 'c:\\windows\\system32\\Lyn.dll'");
  EXPECT_EQ(system.status, 0);
  EXPECT_EQ(system.output,
            (folder.path() / "drives" / "C" / "Windows" / "SysWOW64" / "Lyn.dll").string() + "\n");
  const Result relative = Lynsim("path " + dir + " LYN.CAB");
  EXPECT_EQ(relative.output, (folder.path() / "drives" / "D" / "LYN.CAB").string() + "\n");
}

TEST(LynsimMachineCommandsTest, BadInputIsOneClearLineAndAFailingStatus) {
  ScratchFolder folder;
  const std::string dir = Quoted(folder.path().string());
  ASSERT_EQ(Lynsim("new " + dir).status, 0);
  const struct {
    std::string arguments;
    int status;
    const char* message;
  } cases[] = {
      {"new " + dir, 1, "it is not empty"},
      {"new " + dir + "-other --preset win11", 2, "unknown preset 'win11'"},
      {"new " + dir + "-other --set Colour=blue", 2, "unknown profile field 'Colour'"},
      {"new " + dir + "-other --set wProductType=300", 2, "bad value '300'"},
      {"new " + dir + "-other --set dwMajorVersion", 2, "--set expects FIELD=VALUE"},
      {"new", 2, "no machine folder given"},
      {"path " + dir + " /etc/passwd", 1, "is not a path of the machine"},
      {"path " + dir + " 'Z:\\x'", 1, "which the machine does not have"},
      {"path /nonexistent/machine 'C:\\'", 1, "the folder does not exist"},
      {"path " + dir, 2, "path needs a machine folder and a Windows path"},
  };
  for (const auto& c : cases) {
    const Result result = Lynsim(c.arguments);
    EXPECT_EQ(result.status, c.status) << c.arguments << "\n" << result.output;
    EXPECT_EQ(result.output.rfind("lynsim: ", 0), 0u) << result.output;
    EXPECT_NE(result.output.find(c.message), std::string::npos) << result.output;
  }
  EXPECT_FALSE(std::filesystem::exists(folder.path().string() + "-other"));
}

}  // namespace
}  // namespace lyn::lynsim
