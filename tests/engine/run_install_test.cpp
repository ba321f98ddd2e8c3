// End to end: the whole install run, started by Continue, on machines made
// by `lynsim new`, with both logs compared byte for byte.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/sim/machine/machine.h"
#include "tools/lynsim/lynsim_process.h"

namespace {

namespace fs = std::filesystem;
using lyn::testing::LynsimResult;
using lyn::testing::ScratchMachine;

constexpr const char* kInstall = " --headless --click lblAcceptYes --click cmdOK";

std::string Contents(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A log of the first install on a new machine, as kept in tests/data/install.
std::string Expected(const std::string& name) {
  const fs::path file = fs::path(LYN_SOURCE_DIR) / "tests" / "data" / "install" / name;
  EXPECT_TRUE(fs::exists(file)) << file;
  return Contents(file);
}

bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

// The text with `from` replaced by `to`, which must happen `times` times: the
// expected logs of a scenario are the first install's logs so edited.
std::string Replaced(std::string text, const std::string& from, const std::string& to,
                     int times = 1) {
  int count = 0;
  for (std::size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size()) {
    text.replace(at, from.size(), to);
    ++count;
  }
  EXPECT_EQ(count, times) << "\"" << from << "\" in\n" << text;
  return text;
}

// The text with `inserted` after the first (or the last) occurrence of `after`.
std::string Inserted(std::string text, const std::string& after, const std::string& inserted,
                     bool last = false) {
  const auto at = last ? text.rfind(after) : text.find(after);
  EXPECT_NE(at, std::string::npos) << after;
  if (at != std::string::npos) text.insert(at + after.size(), inserted);
  return text;
}

const std::string kEntry = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\LYN67\r\n";
const std::string kSuccessfulEntry = "[UNINSTALL REG]\r\n" + kEntry + "Successful\r\n";
const std::string kFailedEntry = "[UNINSTALL REG]\r\n" + kEntry + "Failed\r\n";

class RunInstallTest : public ::testing::Test {
 protected:
  explicit RunInstallTest(const std::string& newArgs = "") : scratch(newArgs) {}

  LynsimResult Run(const std::string& script) {
    return scratch.Lynsim("run " + scratch.machine() + script);
  }
  // Accepts the licence, installs, and leaves by Exit on the last page.
  LynsimResult Install() { return Run(std::string(kInstall) + " --click cmdExit"); }
  void ExpectLogs(const std::string& uninstall, const std::string& installInfo) const {
    EXPECT_EQ(File(uninstallLog), uninstall);
    EXPECT_EQ(File(programFiles + "\\LYN\\InstallInfo.log"), installInfo);
  }
  lyn::sim::Machine Machine() const { return lyn::sim::Machine::Open(scratch.machine()); }
  fs::path Host(const std::string& windowsPath) const {
    return Machine().Resolve(windowsPath).hostPath;
  }
  std::string File(const std::string& windowsPath) const { return Contents(Host(windowsPath)); }
  bool Exists(const std::string& windowsPath) const {
    return Machine().Resolve(windowsPath).exists;
  }

  ScratchMachine scratch;
  const std::string programFiles = "C:\\Program Files";
  const std::string uninstallLog = "C:\\Windows\\UnInstallLYN.log";
  const std::string tempFolder = "C:\\Users\\Owner\\AppData\\Local\\Temp\\LYNSetup";
  const std::string uninstallExpected = Expected("win7-uninstall.log");
  const std::string installInfoExpected = Expected("win7-installinfo.log");
};

// A first install writes both logs and offers Finish; a second run is
// refused and changes nothing.
TEST_F(RunInstallTest, AFirstInstallWritesBothLogsAndASecondRunIsRefused) {
  const LynsimResult result = Install();
  ASSERT_EQ(result.status, 0) << result.err << result.out;
  EXPECT_TRUE(result.out.ends_with("click: cmdExit\nended: Finish\n")) << result.out;
  ExpectLogs(uninstallExpected, installInfoExpected);
  EXPECT_TRUE(Exists(programFiles + "\\LYN\\LYN.exe"));
  EXPECT_TRUE(Exists(programFiles + "\\LYN\\Maps"));
  EXPECT_FALSE(Exists(tempFolder)) << "the temporary folder is removed";
  // The file row advances once per manifest row, wrapping after nine dots.
  std::size_t fileRowUpdates = 0;
  for (std::size_t at = 0;
       (at = result.out.find("caption: lblInprogress \"", at)) != std::string::npos; ++at) {
    ++fileRowUpdates;
  }
  EXPECT_EQ(fileRowUpdates, 48u + 1u);
  EXPECT_TRUE(Has(result.out, "lblInprogress \".........\"\ncaption: lblInprogress \".\"\n"));
  EXPECT_TRUE(Has(result.out,
                  "caption: lblPGprogress \".\"\ncaption: lblPGprogress \"..\"\n"
                  "caption: lblPGprogress \"...\"\ncaption: lblPGprogress \"....\"\n"
                  "caption: lblPGprogress \".....\"\ncaption: lblPGprogress \"....Done\"\n"
                  "visible: imgTick(3) true\nvisible: imgTick(4) true\n"))
      << result.out;

  const LynsimResult second = Run(std::string(kInstall) + " --answer OK");
  EXPECT_TRUE(
      second.out.ends_with("msgbox: \"Installation Already Exists\" [OK] critical \"The LYN "
                           "program is already installed on this computer.\n  \n  If you "
                           "wish to re-install, please uninstall the current\n  \n  "
                           "installation first.  This Setup will now terminate.\"\nanswer: OK\n"
                           "ended: Installation Already Exists\n"))
      << second.out;
  ExpectLogs(uninstallExpected, installInfoExpected);
  EXPECT_FALSE(Exists(programFiles + "\\LYN01"));
}

TEST_F(RunInstallTest, AFolderWithoutTheProductLeadsToTheNextNumberedFolder) {
  fs::create_directories(Host(programFiles + "\\LYN"));
  ASSERT_EQ(Install().status, 0);
  EXPECT_TRUE(
      File(uninstallLog)
          .starts_with("[PROGRAM FILE FOLDER]\r\n" + programFiles + "\\LYN01\r\nSuccessful\r\n"));
  EXPECT_TRUE(Exists(programFiles + "\\LYN01\\LYN.exe"));
  EXPECT_FALSE(Exists(programFiles + "\\LYN\\LYN.exe"));
}

TEST_F(RunInstallTest, AMissingCabinetStopsAndCleansUp) {
  fs::remove(Host("LYN.CAB"));
  const LynsimResult result = Run(std::string(kInstall) + " --answer OK");
  EXPECT_TRUE(Has(result.out, "msgbox: \"File Missing\" [OK] critical \"Unable to continue.  "))
      << result.out;
  EXPECT_TRUE(result.out.ends_with("answer: OK\nended: File Missing\n")) << result.out;
  const std::string log = File(uninstallLog);
  EXPECT_TRUE(log.starts_with("[PROGRAM FILE FOLDER]\r\n")) << log;
  EXPECT_FALSE(Has(log, "[END]")) << log;
  EXPECT_FALSE(Exists(programFiles + "\\LYN"));
  EXPECT_FALSE(Exists(tempFolder));
}

TEST_F(RunInstallTest, ACopyOverAFileInUseFailsAndTheRunGoesOn) {
  const std::string uninstaller = "C:\\Windows\\UninstallLYN67.exe";
  std::ofstream(Host(uninstaller)) << "running";
  Machine().SetInUse(uninstaller, true);
  ASSERT_EQ(Install().status, 0);
  const std::string log = File(uninstallLog);
  EXPECT_TRUE(Has(log, "[WINDOWS]\r\n" + uninstaller + "\r\nFailed\r\n[APM]\r\n")) << log;
  EXPECT_FALSE(Has(log, uninstaller + "\r\nNA\r\n")) << "a failed copy is not registered";
  EXPECT_EQ(File(uninstaller), "running");
  EXPECT_TRUE(log.ends_with("[END]\r\n\r\n\r\n")) << log;
}

TEST_F(RunInstallTest, ATemporaryFolderThatCannotBeEmptiedStopsBeforeTheLogs) {
  const std::string leftover = tempFolder + "\\held.tmp";
  fs::create_directories(Host(tempFolder));
  std::ofstream(Host(leftover)) << "held";
  Machine().SetInUse(leftover, true);
  const LynsimResult result = Run(std::string(kInstall) + " --answer OK");
  EXPECT_TRUE(result.out.ends_with(
      "msgbox: \"System Files/Folders in Use\" [OK] critical \"Unable to continue.  Close all "
      "other\n  programs and try again.\"\nanswer: OK\nended: System Files/Folders in Use\n"))
      << result.out;
  EXPECT_TRUE(fs::is_empty(Host(programFiles + "\\LYN"))) << "the program folder stays, empty";
  EXPECT_FALSE(Exists(uninstallLog));
}

TEST_F(RunInstallTest, ANewerSystemFileIsKeptAndNotRegistered) {
  const std::string control = "C:\\Windows\\system32\\MSCOMCTL.OCX";
  const fs::path newer = fs::path(LYN_TEST_PE_DIR) / "catalog_engine_i686.dll";  // 8.0
  fs::copy_file(newer, Host(control), fs::copy_options::overwrite_existing);
  ASSERT_EQ(Install().status, 0);
  const std::string entry = control + "\r\nSuccessful\r\n";
  const std::string survey = control + "\r\nVersion Present = None, Version Shipped = 6.1, ";
  const std::string info =
      Replaced(Replaced(installInfoExpected, survey + "Install = True\r\n",
                        control + "\r\nVersion Present = 8.0, Version Shipped = 6.1, "
                                  "Install = False\r\n"),
               "First Time Install\r\n" + entry, "");
  ExpectLogs(Replaced(uninstallExpected, entry, "", 2), Replaced(info, entry, ""));
  EXPECT_EQ(File(control), Contents(newer));
}

// A standard user's install, with the system's help viewer present in an
// older version owned by TrustedInstaller (as Windows 7 owns its files).
// Started from the hard disk, the owner check refuses the replacement; from
// a CD there are no access lists to check, so the copy goes ahead.
class OlderSystemFileTest : public RunInstallTest {
 protected:
  explicit OlderSystemFileTest(const std::string& newArgs = "")
      : RunInstallTest("--set IsAdmin=false " + newArgs) {
    fs::copy_file(older, Host(viewer), fs::copy_options::overwrite_existing);
  }

  // The install information both runs share: the version survey now marks
  // the viewer.
  std::string Surveyed() const {
    return Replaced(installInfoExpected,
                    "hh.exe\r\nVersion Present = 6.1, Version Shipped = 6.0, Install = False",
                    "hh.exe\r\nVersion Present = 5.1, Version Shipped = 6.0, Install = True");
  }
  // What both logs share: the viewer is registered (registering a program
  // fails), and the user may not write the uninstall entry.
  std::string Registered(std::string log) const {
    log = Inserted(std::move(log), lastSystemFile, viewer + "\r\nFailed\r\n", true);
    return Replaced(std::move(log), kSuccessfulEntry, kFailedEntry);
  }
  const std::string viewer = "C:\\Windows\\system32\\hh.exe";
  const fs::path older = fs::path(LYN_PRODUCT_DIR) / "system" / "winxp" / "hh.exe";  // 5.1
  const std::string lastSystemFile = "C:\\Windows\\system32\\VB5DB.dll\r\nSuccessful\r\n";
};

class CdStartTest : public OlderSystemFileTest {
 protected:
  CdStartTest() : OlderSystemFileTest("--set Drive.D=CDFS --set 'CurrentDirectory=D:\\'") {}
};

TEST_F(OlderSystemFileTest, TheOwnerCheckRefusesAFileOfTrustedInstaller) {
  ASSERT_EQ(Install().status, 0);
  ExpectLogs(
      Registered(uninstallExpected),
      Registered(Inserted(Surveyed(), lastSystemFile,
                          viewer + "\r\nThe Owner is TrustedInstaller.  Ownership is Elevated "
                                   "Above Administrator.\r\nFailed\r\n")));
  EXPECT_EQ(File(viewer), Contents(older));
}

TEST_F(CdStartTest, WithoutSecurityTheOlderFileIsReplaced) {
  ASSERT_EQ(Install().status, 0);
  const std::string copied = viewer + "\r\nSuccessful\r\n";
  ExpectLogs(Registered(Inserted(uninstallExpected, lastSystemFile, copied)),
             Registered(Inserted(Surveyed(), lastSystemFile,
                                 "Security is not available or not enabled.\r\n" + copied)));
  EXPECT_NE(File(viewer), Contents(older));
}

// The administrator may not write the uninstall entries: the key's list
// grants everyone reading only.
class ReadOnlyUninstallKeyTest : public RunInstallTest {
 protected:
  ReadOnlyUninstallKeyTest()
      : RunInstallTest(
            "--set 'Security:HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall="
            "O:BAD:P(A;CI;KR;;;BA)(A;CI;KR;;;BU)'") {}
};

TEST_F(ReadOnlyUninstallKeyTest, TheUninstallRowGetsTheCrossAndTheRunFinishes) {
  const LynsimResult result = Install();
  ASSERT_EQ(result.status, 0) << result.err << result.out;
  EXPECT_TRUE(Has(result.out, "visible: imgTick(3) true\nvisible: imgCross(4) true\n"))
      << result.out;
  EXPECT_FALSE(Has(result.out, "imgTick(4)")) << result.out;
  EXPECT_TRUE(result.out.ends_with("click: cmdExit\nended: Finish\n")) << result.out;
  ExpectLogs(Replaced(uninstallExpected, kSuccessfulEntry, kFailedEntry),
             Replaced(installInfoExpected, kSuccessfulEntry, kFailedEntry));
}

}  // namespace
