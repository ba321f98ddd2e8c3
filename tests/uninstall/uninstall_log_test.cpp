#include "uninstall/uninstall_log.h"

#include <gtest/gtest.h>

#include "uninstall/logged_install.h"

namespace lyn::uninstall {
namespace {

// The lines of a log text, each with its CR LF.
std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t end = text.find("\r\n", at) + 2;
    lines.push_back(text.substr(at, end - at));
    at = end;
  }
  return lines;
}

bool IsHeader(std::string_view line) {
  return line.starts_with('[');
}
// A line naming what an entry is about: neither a header, an outcome nor empty.
bool IsItem(std::string_view line) {
  return !IsHeader(line) && line != "Successful\r\n" && line != "Failed\r\n" && line != "NA\r\n" &&
         line != "\r\n";
}

class UninstallLogReading : public ::testing::Test {
 protected:
  // The text fed to the reader `chunk` bytes at a time.
  std::variant<UninstallLog, LogFault> Read(std::string_view text, std::size_t chunk = 4096) const {
    UninstallLogReader reader(places, [](std::string_view line) { return std::string(line); });
    for (std::size_t at = 0; at < text.size() && reader.Take(text.substr(at, chunk)); at += chunk) {
    }
    return reader.Finish();
  }

  fakes::MachinePlatform machine;
  LoggedInstall install = InstallOnMachine(machine);
  InstallPlaces places = InstallPlaces::Find(machine.platform());
  std::string text = UninstallLogText(machine);
};

// An install killed anywhere leaves its log cut there: after a whole line,
// inside one, or between its CR and LF. Every such log, fed to the reader in
// odd pieces, is read as far as it goes, each entry whose outcome is cut off
// kept as one with its outcome lost, and said to be incomplete from the
// first line it lacks; the whole log is whole.
TEST_F(UninstallLogReading, ReadsALogCutAnywhere) {
  std::vector<std::size_t> cuts;
  std::size_t at = 0;
  for (const std::string& line : Lines(text)) {
    cuts.insert(cuts.end(), {at, at + 1, at + line.size() - 1});
    at += line.size();
  }
  cuts.push_back(text.size());
  for (const std::size_t cut : cuts) {
    const std::string prefix = text.substr(0, cut);
    const std::size_t lastEnd = prefix.rfind("\r\n");
    const std::vector<std::string> whole =
        Lines(prefix.substr(0, lastEnd == std::string::npos ? 0 : lastEnd + 2));
    const auto read = Read(prefix, 7);
    if (whole.size() < 2) {
      ASSERT_TRUE(std::holds_alternative<LogFault>(read)) << cut;
      EXPECT_EQ(std::get<LogFault>(read).reason,
                cut == 0 ? "the log is empty" : "the log names no program folder");
      continue;
    }
    ASSERT_TRUE(std::holds_alternative<UninstallLog>(read))
        << cut << ": " << std::get<LogFault>(read).reason;
    const UninstallLog& log = std::get<UninstallLog>(read);
    EXPECT_EQ(log.programFolder, install.state.ProgramFolder);
    const bool ended = prefix.find("[END]\r\n") != std::string::npos;
    EXPECT_EQ(log.firstGap, ended ? 0 : static_cast<int>(whole.size()) + 1) << cut;
    EXPECT_EQ(log.entries.size(),
              static_cast<std::size_t>(std::count_if(whole.begin(), whole.end(), IsItem)))
        << cut;
    if (IsItem(whole.back())) {
      EXPECT_EQ(log.entries.back().outcome, Outcome::Lost) << cut;
    }
  }
}

// A write of the log that fails leaves out the rest of its entry, and the
// install goes on (headers are written once, so a lost one stays lost).
// Every such log is read, its entries put in their sections all the same,
// and no line before the missing ones is said to be missing.
TEST_F(UninstallLogReading, ReadsALogAFailedWriteLeftLinesOutOf) {
  const std::vector<std::string> lines = Lines(text);
  for (std::size_t failed = 0; failed + 2 < lines.size(); ++failed) {
    const std::size_t rest = IsHeader(lines[failed]) ? 3 : IsItem(lines[failed]) ? 2 : 1;
    std::vector<std::string> kept = lines;
    kept.erase(kept.begin() + static_cast<long>(failed),
               kept.begin() + static_cast<long>(std::min(failed + rest, kept.size())));
    std::string damaged;
    for (const std::string& line : kept) damaged += line;
    const auto read = Read(damaged);
    ASSERT_TRUE(std::holds_alternative<UninstallLog>(read))
        << lines[failed] << "(line " << failed + 1 << "): " << std::get<LogFault>(read).reason;
    const UninstallLog& log = std::get<UninstallLog>(read);
    EXPECT_EQ(log.programFolder, install.state.ProgramFolder) << failed + 1;
    EXPECT_TRUE(log.firstGap == 0 || log.firstGap > static_cast<int>(failed)) << failed + 1;
    EXPECT_EQ(log.entries.size(),
              static_cast<std::size_t>(std::count_if(kept.begin(), kept.end(), IsItem)));
    for (const LoggedEntry& entry : log.entries) {
      if (entry.outcome == Outcome::NA) {
        EXPECT_EQ(entry.section, Section::Registration);
      }
    }
  }
}

TEST_F(UninstallLogReading, RefusesWhatTheInstallDoesNotWrite) {
  const std::string entry = std::string(kUninstallKeyPath) + "\r\nSuccessful\r\n";
  // The log with its first `from` replaced by `to`.
  const struct {
    std::string from;
    std::string to;
    const char* reason;
    int line;  // 0: not checked
  } damages[] = {
      {"\r\n", "\n", "not CR LF", 1},
      {"[PROGRAM FILE FOLDER]", "[PROGRAM]", "not a path", 1},
      {"Successful\r\n[COMMON]", "Success\r\n[COMMON]", "not a path", 0},
      {"Successful\r\n[COMMON]", "Successful\r\nSuccessful\r\n[COMMON]", "without its entry", 0},
      {"Successful\r\n[COMMON]", "Successful\r\n\r\n[COMMON]", "an empty line", 0},
      {"[REGISTRATION]", "[COMMON]", "out of order", 0},
      {"[COMMON]", "[SYSTEM]", "out of order", 0},
      {"\\LYN\\QY.chm", "\\Other\\QY.chm", "not a path", 0},
      {"\\LYN\\QY.chm", "\\LYN\\QY.dll", "not a path", 0},
      {"\\LYN\\QY.chm", "\\LYN\\" + std::string(600, 'x'), "longer than any", 0},
      {"\\UninstallLYN67.exe\r\n", "\\..\\UninstallLYN67.exe\r\n", "not a path", 0},
      {"\\LYN\\Help QY.lnk", "\\Help QY.lnk", "not a path", 0},
      {"\\LYN\\Help QY.lnk\r\nSuccessful\r\n", "\\LYN\\LYN.lnk\r\nSuccessful\r\n", "out of order",
       0},
      {"\\LYN67\r\n", "\\LYN68\r\n", "not a path", 0},
      {entry, entry + entry, "one entry too many", 0},
      {"[UNINSTALL REG]", "[UNINSTALL REG]\r\n" + install.programGroup + "\r\nSuccessful",
       "after the section it belongs to", 0},
      {"[END]\r\n\r\n\r\n", "[END]\r\n\r\n\r\nmore\r\n", "after \"[END]\"", 0},
      {"[END]\r\n\r\n\r\n", "[END]\r\n\r\n\r\nmore", "after \"[END]\"", 0},
  };
  for (const auto& damage : damages) {
    const std::size_t at = text.find(damage.from);
    ASSERT_NE(at, std::string::npos) << damage.from;
    const auto read = Read(std::string(text).replace(at, damage.from.size(), damage.to));
    ASSERT_TRUE(std::holds_alternative<LogFault>(read)) << damage.from << " -> " << damage.to;
    const LogFault& fault = std::get<LogFault>(read);
    EXPECT_NE(fault.reason.find(damage.reason), std::string::npos)
        << damage.from << " -> " << damage.to << ": " << fault.reason;
    if (damage.line != 0) {
      EXPECT_EQ(fault.line, damage.line) << damage.from;
    }
  }
}

// A log that goes on and on with entries the install could have written is
// refused once it passes the size limit, without the rest being read.
TEST_F(UninstallLogReading, RefusesALogLargerThanAnyInstallWritesUnread) {
  UninstallLogReader reader(places, [](std::string_view line) { return std::string(line); });
  ASSERT_TRUE(reader.Take(text.substr(0, text.find("[PROGRAM GROUP]"))));
  std::string flood;
  while (flood.size() < (1u << 20)) flood += install.state.ProgramFolder + "\\QY.chm\r\nNA\r\n";
  std::size_t fed = text.find("[PROGRAM GROUP]");
  while (fed < 200u * 1024 * 1024 && reader.Take(flood)) fed += flood.size();
  EXPECT_LT(fed, kMaxLogBytes);
  const auto read = reader.Finish();
  ASSERT_TRUE(std::holds_alternative<LogFault>(read));
  EXPECT_EQ(std::get<LogFault>(read).reason,
            "the log is larger than any the install writes (over 131072 bytes)");
}

}  // namespace
}  // namespace lyn::uninstall
