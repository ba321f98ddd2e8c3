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

std::string Expected(const std::string& name) {
  const fs::path file = fs::path(LYN_SOURCE_DIR) / "tests" / "data" / "install" / name;
  EXPECT_TRUE(fs::exists(file)) << file;
  return Contents(file);
}

bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

class RunInstallTest : public ::testing::Test {
 protected:
  explicit RunInstallTest(const std::string& newArgs = "") : scratch(newArgs) {}

  LynsimResult Run(const std::string& script) {
    return scratch.Lynsim("run " + scratch.machine() + script);
  }
  fs::path Host(const std::string& windowsPath) const {
    return lyn::sim::Machine::Open(scratch.machine()).Resolve(windowsPath).hostPath;
  }
  std::string File(const std::string& windowsPath) const { return Contents(Host(windowsPath)); }
  bool Exists(const std::string& windowsPath) const {
    return lyn::sim::Machine::Open(scratch.machine()).Resolve(windowsPath).exists;
  }

  ScratchMachine scratch;
  const std::string programFiles = "C:\\Program Files";
  const std::string uninstallLog = "C:\\Windows\\UnInstallLYN.log";
  const std::string tempFolder = "C:\\Users\\Owner\\AppData\\Local\\Temp\\LYNSetup";
};

TEST_F(RunInstallTest, AFirstInstallWritesBothLogsAndOffersFinish) {
  const LynsimResult result = Run(std::string(kInstall) + " --click cmdExit");
  ASSERT_EQ(result.status, 0) << result.err << result.out;
  EXPECT_TRUE(result.out.ends_with("click: cmdExit\nended: Finish\n")) << result.out;
  EXPECT_EQ(File(uninstallLog), Expected("win7-uninstall.log"));
  EXPECT_EQ(File(programFiles + "\\LYN\\InstallInfo.log"), Expected("win7-installinfo.log"));
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
}

TEST_F(RunInstallTest, ASecondRunIsRefusedAndChangesNothing) {
  ASSERT_EQ(Run(kInstall).status, 0);
  const std::string firstLog = File(uninstallLog);
  const LynsimResult second = Run(std::string(kInstall) + " --answer OK");
  EXPECT_TRUE(
      Has(second.out,
          "msgbox: \"Installation Already Exists\" [OK] critical \"The LYN program is "
          "already installed on this computer.\\r\\n\\r\\nIf you wish to re-install, please "
          "uninstall the current\\r\\n\\r\\ninstallation first.  This Setup will now "
          "terminate.\"\nanswer: OK\nended: Installation Already Exists\n"))
      << second.out;
  EXPECT_EQ(File(uninstallLog), firstLog);
  EXPECT_FALSE(Exists(programFiles + "\\LYN01"));
}

TEST_F(RunInstallTest, AFolderWithoutTheProductLeadsToTheNextNumberedFolder) {
  fs::create_directories(Host(programFiles + "\\LYN"));
  const LynsimResult result = Run(kInstall);
  ASSERT_EQ(result.status, 0) << result.err << result.out;
  EXPECT_TRUE(
      File(uninstallLog)
          .starts_with("[PROGRAM FILE FOLDER]\r\n" + programFiles + "\\LYN01\r\nSuccessful\r\n"));
  EXPECT_TRUE(Exists(programFiles + "\\LYN01\\LYN.exe"));
  EXPECT_FALSE(Exists(programFiles + "\\LYN\\LYN.exe"));
}

TEST_F(RunInstallTest, AMissingCabinetStopsAndCleansUp) {
  const lyn::sim::Machine machine = lyn::sim::Machine::Open(scratch.machine());
  fs::remove(machine.Resolve("LYN.CAB").hostPath);
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
  const lyn::sim::Machine machine = lyn::sim::Machine::Open(scratch.machine());
  std::ofstream(machine.Resolve(uninstaller).hostPath) << "running";
  machine.SetInUse(uninstaller, true);
  const LynsimResult result = Run(std::string(kInstall) + " --click cmdExit");
  ASSERT_EQ(result.status, 0) << result.err << result.out;
  const std::string log = File(uninstallLog);
  EXPECT_TRUE(Has(log, "[WINDOWS]\r\n" + uninstaller + "\r\nFailed\r\n[APM]\r\n")) << log;
  EXPECT_FALSE(Has(log, uninstaller + "\r\nNA\r\n")) << "a failed copy is not registered";
  EXPECT_EQ(File(uninstaller), "running");
  EXPECT_TRUE(log.ends_with("[END]\r\n\r\n\r\n")) << log;
}

TEST_F(RunInstallTest, ATemporaryFolderThatCannotBeEmptiedStopsBeforeTheLogs) {
  const lyn::sim::Machine machine = lyn::sim::Machine::Open(scratch.machine());
  const std::string leftover = tempFolder + "\\held.tmp";
  fs::create_directories(machine.Resolve(tempFolder).hostPath);
  std::ofstream(machine.Resolve(leftover).hostPath) << "held";
  machine.SetInUse(leftover, true);
  const LynsimResult result = Run(std::string(kInstall) + " --answer OK");
  EXPECT_TRUE(Has(result.out,
                  "msgbox: \"System Files/Folders in Use\" [OK] critical \"Unable to continue.  "
                  "Close all other\\r\\nprograms and try again.\"\nanswer: OK\n"
                  "ended: System Files/Folders in Use\n"))
      << result.out;
  EXPECT_TRUE(fs::is_empty(Host(programFiles + "\\LYN"))) << "the program folder stays, empty";
  EXPECT_FALSE(Exists(uninstallLog));
}

TEST(RunInstallXpTest, AnInstallOnWindowsXpUsesItsFolders) {
  const ScratchMachine scratch("--preset winxp-pro");
  const LynsimResult result =
      scratch.Lynsim("run " + scratch.machine() + std::string(kInstall) + " --click cmdExit");
  ASSERT_EQ(result.status, 0) << result.err << result.out;
  const lyn::sim::Machine machine = lyn::sim::Machine::Open(scratch.machine());
  const std::string log = Contents(machine.Resolve("C:\\WINDOWS\\UnInstallLYN.log").hostPath);
  EXPECT_TRUE(log.starts_with("[PROGRAM FILE FOLDER]\r\nC:\\Program Files\\LYN\r\nSuccessful\r\n"))
      << log;
  EXPECT_TRUE(Has(log, "[DESKTOP SHORTCUT]\r\nC:\\Documents and Settings\\")) << log;
  EXPECT_TRUE(
      log.ends_with("[UNINSTALL REG]\r\nSOFTWARE\\Microsoft\\Windows\\CurrentVersion\\"
                    "Uninstall\\LYN67\r\nSuccessful\r\n[END]\r\n\r\n\r\n"))
      << log;
}

TEST(RunInstallUserTest, AUserWhoCannotWriteTheMachineKeyGetsTheCrossAndFinishes) {
  const ScratchMachine scratch("--set IsAdmin=false");
  const LynsimResult result =
      scratch.Lynsim("run " + scratch.machine() + std::string(kInstall) + " --click cmdExit");
  ASSERT_EQ(result.status, 0) << result.err << result.out;
  EXPECT_TRUE(Has(result.out, "visible: imgTick(3) true\nvisible: imgCross(4) true\n"))
      << result.out;
  EXPECT_FALSE(Has(result.out, "imgTick(4)")) << result.out;
  EXPECT_TRUE(result.out.ends_with("click: cmdExit\nended: Finish\n")) << result.out;
  const lyn::sim::Machine machine = lyn::sim::Machine::Open(scratch.machine());
  const std::string log = Contents(machine.Resolve("C:\\Windows\\UnInstallLYN.log").hostPath);
  EXPECT_TRUE(
      log.ends_with("[UNINSTALL REG]\r\nSOFTWARE\\Microsoft\\Windows\\CurrentVersion\\"
                    "Uninstall\\LYN67\r\nFailed\r\n[END]\r\n\r\n\r\n"))
      << log;
}

}  // namespace
