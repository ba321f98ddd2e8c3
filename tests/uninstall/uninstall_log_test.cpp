#include "uninstall/uninstall_log.h"

#include <gtest/gtest.h>

#include <functional>

#include "uninstall/logged_install.h"

namespace lyn::uninstall {
namespace {

std::string Replace(std::string text, std::string_view from, std::string_view to) {
  const std::size_t at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  if (at != std::string::npos) text.replace(at, from.size(), to);
  return text;
}

std::string Before(const std::string& text, std::string_view marker) {
  return text.substr(0, text.find(marker));
}

class UninstallLogReader : public ::testing::Test {
 protected:
  fakes::MachinePlatform machine;
};

TEST_F(UninstallLogReader, ReadsTheLogTheInstallWrites) {
  const LoggedInstall install = InstallOnMachine(machine);
  const auto read = ReadUninstallLog(UninstallLogText(machine), install.state.WindowsFolder);
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
}

// A run stopped by a missing file leaves its log after a whole file entry and
// without "[END]": that log proves what the install placed so far.
TEST_F(UninstallLogReader, ReadsTheLogOfAnInstallStoppedInItsFilePhase) {
  const LoggedInstall install = InstallOnMachine(machine, "[AP]");
  const auto read = ReadUninstallLog(UninstallLogText(machine), install.state.WindowsFolder);
  ASSERT_TRUE(std::holds_alternative<UninstallLog>(read)) << std::get<LogFault>(read).reason;
  const UninstallLog& log = std::get<UninstallLog>(read);
  EXPECT_FALSE(log.complete);
  EXPECT_EQ(log.entries.back().section, Section::ProgramFiles);
}

struct Damage {
  const char* what;
  std::function<std::string(const std::string&)> apply;
  const char* reason;
  int line = 0;  // 0: not checked
};

TEST_F(UninstallLogReader, RefusesDamagedLogs) {
  const LoggedInstall install = InstallOnMachine(machine);
  const std::string good = UninstallLogText(machine);
  const std::string& pf = install.state.ProgramFolder;
  const std::vector<Damage> damages = {
      {"empty", [](auto&) { return std::string(); }, "empty", 1},
      {"LF line ends",
       [](const std::string& t) {
         std::string s;
         for (char c : t)
           if (c != '\r') s += c;
         return s;
       },
       "not CR LF", 1},
      {"cut inside a line",
       [](const std::string& t) { return t.substr(0, t.find("[REGISTRATION]") + 5); }, "cut short"},
      {"cut after an item",
       [&](const std::string& t) {
         return Before(t, "[REGISTRATION]") + "[REGISTRATION]\r\n" + pf + "\\QY.chm\r\n";
       },
       "without its outcome"},
      {"ends after the registrations",
       [](const std::string& t) { return Before(t, "[PROGRAM GROUP]"); }, "without \"[END]\""},
      {"a header without entries",
       [](const std::string& t) { return Before(t, "[APM]") + "[APM]\r\n"; }, "without entries"},
      {"unknown outcome word",
       [](const std::string& t) {
         return Replace(t, "Successful\r\n[COMMON]", "Success\r\n[COMMON]");
       },
       "outcome word"},
      {"NA in a file section",
       [](const std::string& t) { return Replace(t, "Successful\r\n[COMMON]", "NA\r\n[COMMON]"); },
       "outcome word"},
      {"section out of order",
       [&](const std::string& t) {
         const std::string windows = "[WINDOWS]\r\n" + install.state.WindowsFolder +
                                     "\\UninstallLYN67.exe\r\nSuccessful\r\n";
         return Replace(Replace(t, windows, ""), "[AP]\r\n", windows + "[AP]\r\n");
       },
       "out of order"},
      {"section repeated", [](const std::string& t) { return Replace(t, "[COMMON]", "[SYSTEM]"); },
       "out of order"},
      {"program file outside the program folder",
       [](const std::string& t) { return Replace(t, "\\LYN\\QY.chm", "\\Other\\QY.chm"); },
       "not a path"},
      {"program file the product does not ship",
       [](const std::string& t) { return Replace(t, "\\LYN\\QY.chm", "\\LYN\\QY.dll"); },
       "not a path"},
      {"a climb out of the Windows folder",
       [](const std::string& t) {
         return Replace(t, "\\UninstallLYN67.exe\r\n", "\\..\\UninstallLYN67.exe\r\n");
       },
       "not a path"},
      {"group shortcut outside the group",
       [](const std::string& t) { return Replace(t, "\\LYN\\Help QY.lnk", "\\Help QY.lnk"); },
       "not a path"},
      {"another uninstall key",
       [](const std::string& t) { return Replace(t, "\\LYN67\r\n", "\\LYN68\r\n"); }, "not a path"},
      {"a desktop shortcut missing",
       [&](const std::string& t) {
         return Replace(
             t, "[DESKTOP SHORTCUT]\r\n" + install.desktop + "\\LYN.lnk\r\nSuccessful\r\n", "");
       },
       "\"[DESKTOP SHORTCUT]\" is missing"},
      {"a second uninstall entry",
       [](const std::string& t) {
         const std::string entry = std::string(kUninstallKeyPath) + "\r\nSuccessful\r\n";
         return Replace(t, entry, entry + entry);
       },
       "one entry too many"},
      {"lines after the end", [](const std::string& t) { return t + "more\r\n"; },
       "after \"[END]\""},
      {"program folder not a full path",
       [](const std::string& t) {
         return Replace(t, "[PROGRAM FILE FOLDER]\r\nC:", "[PROGRAM FILE FOLDER]\r\nC");
       },
       "not a full path", 2},
      {"no first section",
       [](const std::string& t) { return Replace(t, "[PROGRAM FILE FOLDER]", "[PROGRAM]"); },
       "expected \"[PROGRAM FILE FOLDER]\"", 1},
  };
  for (const Damage& damage : damages) {
    const auto read = ReadUninstallLog(damage.apply(good), install.state.WindowsFolder);
    ASSERT_TRUE(std::holds_alternative<LogFault>(read)) << damage.what;
    const LogFault& fault = std::get<LogFault>(read);
    EXPECT_NE(fault.reason.find(damage.reason), std::string::npos)
        << damage.what << ": " << fault.reason;
    if (damage.line != 0) {
      EXPECT_EQ(fault.line, damage.line) << damage.what;
    }
  }
}

}  // namespace
}  // namespace lyn::uninstall
