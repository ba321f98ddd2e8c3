// lynsim fields and the strict checking of profile fields from the command
// line, the same for `new --set` and `set`.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <set>
#include <string>

#include "platform/sim/machine/machine.h"
#include "tools/lynsim/lynsim_process.h"

namespace lyn::lynsim {
namespace {

using lyn::testing::LynsimResult;
using lyn::testing::ScratchMachine;

TEST(LynsimFieldsTest, ListsEveryFieldOfTheProfileFileWithItsDefault) {
  const ScratchMachine scratch;
  const LynsimResult result = scratch.Lynsim("fields --json");
  ASSERT_EQ(result.status, 0) << result.err;
  const auto fields = nlohmann::json::parse(result.out);

  // Every field the profile file holds, bar the drives (listed once by
  // pattern) and the test-only desktop delay, with the default preset's value.
  const sim::Profile preset = sim::FindPreset(sim::DefaultPresetName()).profile;
  std::set<std::string> listed;
  for (const auto& f : fields) {
    listed.insert(f["name"].get<std::string>());
    EXPECT_FALSE(f["group"].get<std::string>().empty()) << f;
    EXPECT_FALSE(f["meaning"].get<std::string>().empty()) << f;
    EXPECT_FALSE(f["range"].get<std::string>().empty()) << f;
  }
  const std::string text = sim::ProfileToText(preset);
  for (const auto& f : fields) {
    const std::string name = f["name"].get<std::string>();
    if (name.starts_with("Drive.")) continue;
    const std::string value = f["default"].get<std::string>();
    EXPECT_NE(text.find("\n" + name + " =" + (value.empty() ? "" : " " + value) + "\n"),
              std::string::npos)
        << name;
  }
  EXPECT_EQ(listed.count("wSuiteMask"), 1u);
  EXPECT_EQ(listed.count("Drive.<letter>.SerialNumber"), 1u);
}

TEST(LynsimFieldsTest, SetChangesAMachineAndRefusesWhatNewRefuses) {
  const ScratchMachine scratch;
  const std::string dir = scratch.machine();
  LynsimResult result =
      scratch.Lynsim("set " + dir + " wProcessorArchitecture=9 Wow64=true Drive.D=CDFS");
  EXPECT_EQ(result.status, 0) << result.err;
  const sim::Machine machine = sim::Machine::Open(dir);
  EXPECT_TRUE(machine.profile().Wow64);
  EXPECT_TRUE(machine.Resolve("C:\\Windows\\system32").exists) << "SysWOW64 is made";
  EXPECT_TRUE(machine.Resolve("D:\\").exists);

  for (const std::string& command : {"set " + dir + " ", "new " + dir + "-x --set "}) {
    result = scratch.Lynsim(command + "dwmajorversion=5");
    EXPECT_EQ(result.status, 2) << command;
    EXPECT_NE(result.err.find("unknown profile field 'dwmajorversion'; did you mean "
                              "dwMajorVersion?"),
              std::string::npos)
        << result.err;
  }
  result = scratch.Lynsim("set " + dir + " dwMajorVersion=5 wProductType=256");
  EXPECT_EQ(result.status, 2);
  EXPECT_NE(result.err.find("expected a number from 0 to 255"), std::string::npos) << result.err;
  EXPECT_EQ(sim::Machine::Open(dir).profile().dwMajorVersion, 6u) << "nothing changed";
}

}  // namespace
}  // namespace lyn::lynsim
