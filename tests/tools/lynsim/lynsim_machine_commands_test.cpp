// The lynsim commands that make and inspect machines, run as a user would.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>

#include "platform/sim/machine/machine.h"
#include "tools/lynsim/lynsim_process.h"

namespace lyn::lynsim {
namespace {

using lyn::testing::LynsimResult;
using lyn::testing::ScratchMachine;

TEST(LynsimMachineCommandsTest, PresetsListsOnePresetALineDefaultFirst) {
  const LynsimResult result = ScratchMachine().Lynsim("presets");
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.out.rfind(sim::DefaultPresetName() + " ", 0), 0u) << result.out;
  EXPECT_EQ(std::count(result.out.begin(), result.out.end(), '\n'), std::ssize(sim::Presets()));
}

TEST(LynsimMachineCommandsTest, NewMakesTheMachineAndPathShowsWhereFilesLie) {
  const ScratchMachine scratch(
      "--preset win7-ultimate-x64 --set Drive.D=CDFS --set 'CurrentDirectory=D:\\'");
  const sim::Machine machine = sim::Machine::Open(scratch.machine());
  EXPECT_TRUE(machine.profile().Wow64);
  EXPECT_EQ(machine.profile().CurrentDirectory, "D:\\");

  const std::filesystem::path drives = std::filesystem::path(scratch.machine()) / "drives";
  const LynsimResult system =
      scratch.Lynsim("path " + scratch.machine() + " 'c:\\windows\\system32\\Lyn.dll'");
  EXPECT_EQ(system.status, 0);
  EXPECT_EQ(system.out, (drives / "C" / "Windows" / "SysWOW64" / "Lyn.dll").string() + "\n");
  const LynsimResult relative = scratch.Lynsim("path " + scratch.machine() + " LYN.CAB");
  EXPECT_EQ(relative.out, (drives / "D" / "LYN.CAB").string() + "\n");
}

TEST(LynsimMachineCommandsTest, AHandEditedProfileIsReadStrictly) {
  const ScratchMachine scratch;
  const std::filesystem::path file = std::filesystem::path(scratch.machine()) / "profile.ini";
  const std::string profile = sim::ProfileToText(sim::Machine::Open(scratch.machine()).profile());
  // Notepad's byte-order mark is fine.
  std::ofstream(file) << "\xEF\xBB\xBF" << profile;
  EXPECT_EQ(scratch.Lynsim("osinfo " + scratch.machine()).status, 0);

  std::ofstream(file) << profile << "dwMajorVersion = 5\n";
  const LynsimResult twice = scratch.Lynsim("osinfo " + scratch.machine());
  EXPECT_EQ(twice.status, 1);
  EXPECT_EQ(twice.err, "lynsim: " + file.string() + ": profile line " +
                           std::to_string(std::count(profile.begin(), profile.end(), '\n') + 1) +
                           ": dwMajorVersion is set again (first on line 3)\n");
}

TEST(LynsimMachineCommandsTest, BadInputIsToldWithAFailingStatus) {
  const ScratchMachine scratch;
  const std::string dir = scratch.machine();
  const struct {
    std::string arguments;
    int status;
    const char* message;
  } cases[] = {
      {"new " + dir, 1, "it is not empty"},
      {"new " + dir + "-other --preset win11", 2, "unknown preset 'win11'"},
      {"new " + dir + "-other --set Colour=blue", 2, "unknown profile field 'Colour'"},
      {"new " + dir + "-other --set dwMajorVersion", 2, "expected FIELD=VALUE"},
      {"new", 2, "DIR is required"},
      {"new " + dir + "-other --colour", 2, "--colour"},
      {"path " + dir + " /etc/passwd", 1, "is not a path of the machine"},
      {"path /nonexistent/machine 'C:\\'", 1, "the folder does not exist"},
      {"path " + dir, 2, "WINPATH is required"},
      {"path " + dir + " 'C:\\" + std::string(300, 'a') + "'", 1,
       "a name in the Windows path 'C:\\aaa"},
  };
  for (const auto& c : cases) {
    const LynsimResult result = scratch.Lynsim(c.arguments);
    EXPECT_EQ(result.status, c.status) << c.arguments << "\n" << result.err;
    EXPECT_EQ(result.err.rfind("lynsim: ", 0), 0u) << result.err;
    EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
  }
  EXPECT_FALSE(std::filesystem::exists(dir + "-other"));
}

}  // namespace
}  // namespace lyn::lynsim
