// lynsim run on a disk too small for the product, in a mount namespace of
// the test's own (the scenarios under tests/data/scenarios cover the rest).
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>

#include "tools/lynsim/lynsim_process.h"

namespace {

using lyn::testing::ScratchMachine;

// On a disk too small for the product the extraction cannot write every
// file, and the program stops with "File Missing" at the first one absent;
// the run's record names every file that could not be copied. The state
// store's failures name the full disk, and the profile's the read-only file
// system. The disk is a small tmpfs in a mount namespace of the test's own.
TEST(LynsimFullDiskTest, TheEndingNamesTheFilesNotCopiedAndErrorsTheirCause) {
  const ScratchMachine scratch;
  const std::filesystem::path& folder = scratch.folder();
  const std::string disk = (folder / "disk").string();
  const std::string lynsim = LYNSIM_PATH;
  const std::string script =
      "set -u; mkdir -p " + disk + " && mount -t tmpfs -o size=1300k tmpfs " + disk +
      " || exit 77; " + lynsim + " new " + disk + "/m >/dev/null; " + lynsim + " run " + disk +
      "/m --headless --click lblAcceptYes --click cmdOK --answer OK --json; echo status $?; " +
      "head -c 2000000 /dev/zero > " + disk + "/fill; " + lynsim + " reg " + disk + "/m import " +
      (folder / "key.reg").string() + "; echo status $?; " + "mount -o remount,ro " + disk + "; " +
      lynsim + " set " + disk + "/m SM_TABLETPC=1; echo status $?";
  const std::string out = (folder / "out").string();
  std::ofstream(folder / "script.sh") << script;
  std::string bytes;
  for (int i = 0; i < 3000; ++i) bytes += "00,";
  std::ofstream(folder / "key.reg")
      << "REGEDIT4\n[HKLM\\SOFTWARE\\Orrin]\n\"Data\"=hex:" << bytes << "00\n";
  const int status = std::system(
      ("unshare -m sh " + (folder / "script.sh").string() + " >" + out + " 2>&1").c_str());
  if (WEXITSTATUS(status) == 77) GTEST_SKIP() << "cannot mount a small disk here";
  std::stringstream text;
  text << std::ifstream(out).rdbuf();
  const std::string report = text.str();
  // A partly written file is not left behind, so the program meets it as
  // missing and ends by itself; the run's record says what did not arrive.
  const auto record = nlohmann::json::parse(report.substr(0, report.find('\n')));
  EXPECT_EQ(record["ending"]["status"], 0) << report;
  EXPECT_EQ(record["messageBoxes"][0]["title"], "File Missing") << report;
  const auto& failed = record["failedFiles"];
  EXPECT_NE(std::find(failed.begin(), failed.end(), "C:\\Program Files\\LYN\\LYN.exe"),
            failed.end())
      << report;
  EXPECT_NE(report.find("}\nstatus 0\n"), std::string::npos) << report;
  EXPECT_NE(report.find("state store cannot be written: the disk is full\nstatus 1\n"),
            std::string::npos)
      << report;
  EXPECT_NE(report.find("profile.ini: Read-only file system\nstatus 1\n"), std::string::npos)
      << report;
}

}  // namespace
