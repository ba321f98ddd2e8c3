#include "engine/install_log.h"

#include <gtest/gtest.h>

#include <string>

#include "fakes/machine_platform.h"

namespace lyn {
namespace {

constexpr const char* kUninstallLog = "C:\\Windows\\UnInstallLYN.log";
constexpr const char* kInstallLog = "C:\\Program Files\\LYN\\InstallInfo.log";

// The text with every line ending in CR LF.
std::string Crlf(std::string_view text) {
  std::string result;
  for (const char c : text) {
    if (c == '\n') result += '\r';
    result += c;
  }
  return result;
}

class InstallLogs : public ::testing::Test {
 protected:
  void SetUp() override {
    machine.MakeFolder("C:\\Program Files\\LYN");
    state.WindowsFolder = "C:\\Windows";
    state.ProgramFolder = "C:\\Program Files\\LYN";
    state.UninstallLogName = "UnInstallLYN.log";
    state.InstallLogName = "InstallInfo.log";
  }
  void Log(bool infoOnly, const char* header, const char* item, const char* outcome) {
    WriteLog(machine.platform(), infoOnly, header, item, outcome);
  }

  fakes::MachinePlatform machine;
  SetupState state;
};

// Paths arrive as UTF-8 and are written in the system's ANSI code page.
TEST_F(InstallLogs, PathsAreWrittenInTheAnsiCodePage) {
  OpenInstallLogs(machine.platform(), state);
  Log(false, "[APM]", "C:\\Maps\\Caf\xC3\xA9.jpg", "NA");
  Log(false, "[END]", "", "");
  CloseInstallLogs(machine.platform());
  EXPECT_EQ(machine.ReadFile(kUninstallLog), Crlf("[APM]\nC:\\Maps\\Caf\xE9.jpg\nNA\n[END]\n\n\n"));
  EXPECT_EQ(machine.ReadFile(kInstallLog), Crlf("[APM]\nC:\\Maps\\Caf\xE9.jpg\nNA\n[END]\n\n"));
}

// The install-information log of an older run is replaced. The uninstall log
// cannot be replaced (read-only): while it cannot be written, entries meant
// for both logs are lost from both, and information-only entries still arrive.
TEST_F(InstallLogs, UnwritableUninstallLogEndsEveryEntryForBothLogs) {
  machine.PutFile(kUninstallLog, "older run\r\n");
  machine.SetAttributes(kUninstallLog, win::FILE_ATTRIBUTE_READONLY);
  machine.PutFile(kInstallLog, std::string(300, 'x'));
  OpenInstallLogs(machine.platform(), state);
  Log(false, "[PROGRAM FILE FOLDER]", "C:\\Program Files\\LYN", "Successful");
  Log(true, "[VERSION]", "C:\\Windows\\hh.exe", "Version Present = None");
  Log(false, "[SYSTEM]", "C:\\Windows\\system32\\itss.dll", "Failed");
  CloseInstallLogs(machine.platform());
  EXPECT_EQ(machine.ReadFile(kUninstallLog), "older run\r\n");
  EXPECT_EQ(machine.ReadFile(kInstallLog),
            Crlf("[VERSION]\nC:\\Windows\\hh.exe\nVersion Present = None\n"));
}

}  // namespace
}  // namespace lyn
