// End to end: the setup program run headless by the lynsim binary on a
// machine made by `lynsim new`.
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

using lyn::testing::LynsimResult;
using lyn::testing::ScratchMachine;

class LynsimRunTest : public ::testing::Test {
 protected:
  LynsimResult Run(const std::string& script) {
    return scratch.Lynsim("run " + scratch.machine() + " --headless" + script);
  }

  ScratchMachine scratch;
};

TEST_F(LynsimRunTest, TheHeadlessRunShowsTheLicencePage) {
  // Headless whether or not the test process has a display; the fallback
  // without one is the window tests' business.
  const LynsimResult result = Run("");
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.err, "");
  // The default person, an administrator on Windows 7, first consents to
  // the program's request for administrator rights.
  EXPECT_TRUE(result.out.starts_with("elevation: consent Yes\nshown: frmSetup \"LYN Setup\"\n"))
      << result.out;
  for (const char* line :
       {"\ncontrol: lblPleaseRead \"Please read the license agreement before proceeding:\"\n",
        "\ncontrol: cmdOK \"Continue\" disabled\n", "\ncontrol: OpAccept(1) \"\" selected\n",
        "\ncontrol: cmdExit \"Cancel\"\n"}) {
    EXPECT_NE(result.out.find(line), std::string::npos) << line << "\n" << result.out;
  }
  EXPECT_EQ(result.out.find("picInstall"), std::string::npos) << "the parked panel is not seen";
  EXPECT_TRUE(result.out.ends_with("\nended: script done\n")) << result.out;
}

// Each step's fate is in the transcript: done, refused, or never reached; a
// script that does not fit ends with status 3.
TEST_F(LynsimRunTest, ScriptedStepsDriveTheLicencePage) {
  const struct {
    const char* script;
    int status;
    const char* ending;
  } cases[] = {
      {" --click lblAcceptYes", 0,
       "click: lblAcceptYes\nselected: OpAccept(1) false\nselected: OpAccept(0) true\n"
       "enabled: cmdOK true\nended: script done\n"},
      {" --click lblAcceptYes --click cmdExit", 0, "click: cmdExit\nended: Cancel\n"},
      {" --click cmdOK --click cmdExit", 3,
       "\nignored: cmdOK is disabled\nleft over: click cmdExit\nended: script does not fit\n"},
      {" --click lblAcceptYes --click cmdExit --click cmdOK --answer yes", 3,
       "\nclick: cmdExit\nleft over: click cmdOK\nleft over: answer Yes\nended: Cancel\n"},
  };
  for (const auto& c : cases) {
    const LynsimResult result = Run(c.script);
    EXPECT_EQ(result.status, c.status) << c.script << result.err;
    EXPECT_EQ(result.err, "") << c.script;
    EXPECT_TRUE(result.out.ends_with(c.ending)) << result.out;
  }
}

// --quiet says only how each row of the progress panel ended and how the run
// ended; --json gives the same as a record, with the uninstall log's entries.
TEST_F(LynsimRunTest, QuietAndJsonRunsSayHowTheRowsEnded) {
  const std::string install = " --click lblAcceptYes --click cmdOK --click cmdExit";
  const LynsimResult quiet = Run(install + " --quiet");
  EXPECT_EQ(quiet.status, 0) << quiet.err;
  EXPECT_EQ(quiet.out,
            "extraction: done\nfiles: done\nregistration: done\nshortcuts: done\n"
            "uninstall entry: done\nended: Finish\n");
  const LynsimResult again = Run(" --click lblAcceptYes --click cmdOK --answer OK --quiet");
  EXPECT_EQ(again.status, 0) << again.err;
  EXPECT_EQ(again.out,
            "extraction: not reached\nfiles: not reached\nregistration: not reached\n"
            "shortcuts: not reached\nuninstall entry: not reached\n"
            "ended: Installation Already Exists\n");
}

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
