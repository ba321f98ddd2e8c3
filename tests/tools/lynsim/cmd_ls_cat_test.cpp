// lynsim ls and cat on files whose attributes and times the test sets (the
// scenarios under tests/data/scenarios cover the other commands).
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/sim/machine/host_view.h"
#include "platform/sim/machine/machine.h"
#include "tools/lynsim/lynsim_process.h"

namespace lyn::lynsim {
namespace {

using lyn::testing::LynsimResult;
using lyn::testing::ScratchMachine;

TEST(LsCatTest, ListsFilesWithAttributesAndTimesAndCatPrintsOne) {
  const ScratchMachine scratch;
  const sim::Machine machine = sim::Machine::Open(scratch.machine());
  const auto file = lyn::sim::HostPathOf(machine, "C:\\Windows\\lyn.ini");
  std::ofstream(file) << "12345";
  machine.SetAttributes("C:\\Windows\\LYN.INI",
                        win::FILE_ATTRIBUTE_READONLY | win::FILE_ATTRIBUTE_HIDDEN);
  // 2009-07-14 01:14 UTC, when Windows 7 was finished.
  const auto finished = std::chrono::file_clock::from_sys(std::chrono::sys_seconds(
      std::chrono::sys_days(std::chrono::year(2009) / 7 / 14) + std::chrono::minutes(74)));
  std::filesystem::last_write_time(file, finished);
  std::filesystem::last_write_time(file.parent_path() / "system32", finished);
  const LynsimResult text = scratch.Lynsim("ls " + scratch.machine() + " 'c:\\windows'");
  EXPECT_EQ(text.status, 0) << text.err;
  EXPECT_EQ(text.out,
            "-RH--  2009-07-14 01:14            5  lyn.ini\n"
            "D----  2009-07-14 01:14               system32\\\n");
  EXPECT_EQ(scratch.Lynsim("ls " + scratch.machine() + " 'C:/Windows/*.INI'").out,
            "-RH--  2009-07-14 01:14            5  lyn.ini\n");

  // cat converts from the machine's code page (1252 here) and ends lines
  // with LF alone; --raw leaves the bytes.
  std::ofstream(file, std::ios::binary) << "[Caf\xE9]\r\nx=1\r\n";
  EXPECT_EQ(scratch.Lynsim("cat " + scratch.machine() + " 'c:/windows/lyn.ini'").out,
            "[Caf\xC3\xA9]\nx=1\n");
  EXPECT_EQ(scratch.Lynsim("cat " + scratch.machine() + " 'c:/windows/lyn.ini' --raw").out,
            "[Caf\xE9]\r\nx=1\r\n");
}

}  // namespace
}  // namespace lyn::lynsim
