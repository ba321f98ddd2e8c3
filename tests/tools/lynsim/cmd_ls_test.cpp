// lynsim ls: what a run left on the machine, with the attributes the
// machine reports.
#include <gtest/gtest.h>

#include <fstream>
#include <nlohmann/json.hpp>
#include <string>

#include "platform/sim/machine/machine.h"
#include "tools/lynsim/lynsim_process.h"

namespace lyn::lynsim {
namespace {

using lyn::testing::LynsimResult;
using lyn::testing::ScratchMachine;

TEST(LynsimLsTest, ListsFilesWithTheirAttributes) {
  const ScratchMachine scratch;
  const sim::Machine machine = sim::Machine::Open(scratch.machine());
  std::ofstream(machine.Resolve("C:\\Windows\\lyn.ini").hostPath) << "12345";
  machine.SetAttributes("C:\\Windows\\LYN.INI",
                        win::FILE_ATTRIBUTE_READONLY | win::FILE_ATTRIBUTE_HIDDEN);

  const LynsimResult text = scratch.Lynsim("ls " + scratch.machine() + " 'c:\\windows'");
  EXPECT_EQ(text.status, 0) << text.err;
  EXPECT_EQ(text.out,
            "-RH--            5  lyn.ini\n"
            "D----               system32\\\n");

  const LynsimResult json =
      scratch.Lynsim("ls " + scratch.machine() + " 'C:\\Windows\\lyn.ini' --json");
  const auto listing = nlohmann::json::parse(json.out);
  EXPECT_EQ(listing["path"], "C:\\Windows\\lyn.ini");
  ASSERT_EQ(listing["entries"].size(), 1u);
  EXPECT_EQ(listing["entries"][0]["attributes"], 3);
  EXPECT_EQ(listing["entries"][0]["size"], 5);

  const LynsimResult missing = scratch.Lynsim("ls " + scratch.machine() + " 'C:\\none'");
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(missing.err, "lynsim: no file or folder 'C:\\none' on the machine\n");
}

}  // namespace
}  // namespace lyn::lynsim
