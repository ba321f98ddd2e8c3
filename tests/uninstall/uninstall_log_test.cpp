#include "uninstall/uninstall_log.h"

#include <gtest/gtest.h>

#include "uninstall/logged_install.h"

namespace lyn::uninstall {
namespace {

class UninstallLogReader : public ::testing::Test {
 protected:
  std::variant<UninstallLog, LogFault> Read(const std::string& text) const {
    return ReadUninstallLog(text, install.state.WindowsFolder);
  }

  fakes::MachinePlatform machine;
  LoggedInstall install = InstallOnMachine(machine);
};

// The log of a completed run, and of a run stopped by a missing file: that
// one ends after a whole file entry without "[END]", and proves what the
// install placed so far.
TEST_F(UninstallLogReader, ReadsTheLogTheInstallWrites) {
  const std::string text = UninstallLogText(machine);
  const auto read = Read(text);
  ASSERT_TRUE(std::holds_alternative<UninstallLog>(read)) << std::get<LogFault>(read).reason;
  const UninstallLog& log = std::get<UninstallLog>(read);
  EXPECT_TRUE(log.complete);
  EXPECT_EQ(log.programFolder, install.state.ProgramFolder);
  // 43 files, their 43 registrations, the group, four shortcuts, the entry.
  ASSERT_EQ(log.entries.size(), 43u + 43u + 1u + 4u + 1u);
  EXPECT_EQ(log.entries.front().section, Section::System);
  EXPECT_EQ(log.entries[42].item, install.state.MapsFolder + "\\Map14_Overview.jpg");
  EXPECT_EQ(log.entries.back().section, Section::UninstallReg);
  EXPECT_EQ(log.entries.back().item, kUninstallKeyPath);

  const auto stopped = Read(text.substr(0, text.find("[WINDOWS]")));
  ASSERT_TRUE(std::holds_alternative<UninstallLog>(stopped)) << std::get<LogFault>(stopped).reason;
  EXPECT_FALSE(std::get<UninstallLog>(stopped).complete);
  EXPECT_EQ(std::get<UninstallLog>(stopped).entries.back().section, Section::ProgramFiles);
}

TEST_F(UninstallLogReader, RefusesDamagedLogs) {
  const std::string good = UninstallLogText(machine);
  const std::string entry = std::string(kUninstallKeyPath) + "\r\nSuccessful\r\n";
  // The good log with its first `from` replaced by `to`; with `cut`, the log
  // up to `from`, followed by `to`.
  const struct {
    std::string from;
    std::string to;
    bool cut;
    const char* reason;
    int line;  // 0: not checked
  } damages[] = {
      {"[PROGRAM FILE FOLDER]", "", true, "empty", 1},
      {"\r\n", "\n", false, "not CR LF", 1},
      {"[REGISTRATION]", "[REGI", true, "cut short", 0},
      {"[REGISTRATION]", "[REGISTRATION]\r\nC:\\QY.chm\r\n", true, "without its outcome", 0},
      {"[PROGRAM GROUP]", "", true, "without \"[END]\"", 0},
      {"[APM]", "[APM]\r\n", true, "without entries", 0},
      {"Successful\r\n[COMMON]", "Success\r\n[COMMON]", false, "outcome word", 0},
      {"Successful\r\n[COMMON]", "NA\r\n[COMMON]", false, "outcome word", 0},
      {"[REGISTRATION]", "[COMMON]", false, "out of order", 0},
      {"[COMMON]", "[SYSTEM]", false, "out of order", 0},
      {"\\LYN\\QY.chm", "\\Other\\QY.chm", false, "not a path", 0},
      {"\\LYN\\QY.chm", "\\LYN\\QY.dll", false, "not a path", 0},
      {"\\UninstallLYN67.exe\r\n", "\\..\\UninstallLYN67.exe\r\n", false, "not a path", 0},
      {"\\LYN\\Help QY.lnk", "\\Help QY.lnk", false, "not a path", 0},
      {"\\LYN67\r\n", "\\LYN68\r\n", false, "not a path", 0},
      {"[DESKTOP SHORTCUT]\r\n" + install.desktop + "\\LYN.lnk\r\nSuccessful\r\n", "", false,
       "\"[DESKTOP SHORTCUT]\" is missing", 0},
      {entry, entry + entry, false, "one entry too many", 0},
      {"[END]\r\n\r\n\r\n", "[END]\r\n\r\n\r\nmore\r\n", false, "after \"[END]\"", 0},
      {"[PROGRAM FILE FOLDER]\r\nC:", "[PROGRAM FILE FOLDER]\r\nC", false, "not a full path", 2},
      {"[PROGRAM FILE FOLDER]", "[PROGRAM]", false, "expected \"[PROGRAM FILE FOLDER]\"", 1},
  };
  for (const auto& damage : damages) {
    const std::size_t at = good.find(damage.from);
    ASSERT_NE(at, std::string::npos) << damage.from;
    const std::string text = damage.cut
                                 ? good.substr(0, at) + damage.to
                                 : std::string(good).replace(at, damage.from.size(), damage.to);
    const auto read = Read(text);
    ASSERT_TRUE(std::holds_alternative<LogFault>(read)) << damage.from << " -> " << damage.to;
    const LogFault& fault = std::get<LogFault>(read);
    EXPECT_NE(fault.reason.find(damage.reason), std::string::npos)
        << damage.from << " -> " << damage.to << ": " << fault.reason;
    if (damage.line != 0) {
      EXPECT_EQ(fault.line, damage.line) << damage.from;
    }
  }
}

}  // namespace
}  // namespace lyn::uninstall
