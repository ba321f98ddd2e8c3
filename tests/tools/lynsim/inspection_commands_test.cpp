// End to end: the commands that read files and run the version survey.
#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>

#include "tools/lynsim/lynsim_process.h"

namespace {

using lyn::testing::LynsimResult;
using lyn::testing::ScratchMachine;

TEST(InspectionCommandsTest, FileInfoReadsHostAndMachineFiles) {
  ScratchMachine scratch;
  const std::string image = std::string(LYN_TEST_PE_DIR) + "/catalog_engine_i686.dll";
  const LynsimResult host = scratch.Lynsim("fileinfo --host " + image);
  EXPECT_EQ(host.status, 0) << host.err;
  EXPECT_EQ(host.out,
            "StrucVersion: 1.0\nFileVersion: 8.0.6001.18904\nProductVersion: 6.1.65535.82\n"
            "FileFlags: Debug PreRel\nFileOS: NT-Win32\nFileType: DLL\nFileSubtype:\n");

  const LynsimResult path =
      scratch.Lynsim("path " + scratch.machine() + " 'C:\\Windows\\System32\\x.dll'");
  std::filesystem::copy_file(image, path.out.substr(0, path.out.size() - 1));
  const LynsimResult onMachine =
      scratch.Lynsim("fileinfo " + scratch.machine() + " 'c:\\windows\\system32\\X.DLL'");
  EXPECT_EQ(onMachine.out, host.out);
}

TEST(InspectionCommandsTest, SurveyOfAnEmptyMachineMarksEveryFile) {
  // A server system: its new machines hold none of the product's system files.
  ScratchMachine scratch("--preset win2008-standard");
  const LynsimResult result = scratch.Lynsim("survey " + scratch.machine());
  EXPECT_EQ(result.status, 0) << result.err;
  const std::string first = "Version Present = None, Version Shipped = 4.0, Install = True";
  EXPECT_TRUE(
      result.out.starts_with("[VERSION]\nC:\\Windows\\system32\\msjint40.dll\n" + first + "\n"))
      << result.out;
  EXPECT_NE(result.out.find("C:\\Program Files\\LYN\\Maps\\"), std::string::npos);
  EXPECT_NE(result.out.find("Version Present = None, Version Shipped = None, Install = True\n"),
            std::string::npos);
  EXPECT_EQ(std::count(result.out.begin(), result.out.end(), '\n'), 1 + 2 * 43);

  const auto survey =
      nlohmann::json::parse(scratch.Lynsim("survey " + scratch.machine() + " --json").out);
  ASSERT_EQ(survey["files"].size(), 43u);
  EXPECT_EQ(survey["files"][0]["present"], "None");
  EXPECT_EQ(survey["files"][0]["install"], true);
}

}  // namespace
