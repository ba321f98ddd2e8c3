#include "engine/version_survey.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "engine/install_log.h"
#include "engine/manifest.h"
#include "fakes/machine_platform.h"

namespace lyn {
namespace {

// The test library with its file version set to major.minor.build.revision.
std::string Library(int major, int minor, int build, int revision) {
  std::string image = fakes::TestImage("catalog_engine_i686.dll");
  const std::size_t fixed = image.find("\xBD\x04\xEF\xFE");
  const int halves[4] = {minor, major, revision, build};  // little-endian order
  for (int i = 0; i < 4; ++i) {
    image[fixed + 8 + 2 * i] = static_cast<char>(halves[i] & 0xFF);
    image[fixed + 9 + 2 * i] = static_cast<char>(halves[i] >> 8);
  }
  return image;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  for (std::size_t start = 0, end; (end = text.find("\r\n", start)) != std::string::npos;
       start = end + 2) {
    lines.push_back(text.substr(start, end - start));
  }
  return lines;
}

// The cases a new machine does not show: an older file, one without a version
// resource, another case, a hidden file, a folder in the file's place, an
// older build of the same version, and a product file without a version.
TEST(VersionSurvey, MarksAndLogsEachRowOnAMachine) {
  fakes::MachinePlatform machine;
  const std::string system = "C:\\Windows\\system32\\";
  machine.PutFile(system + "msjint40.dll", Library(3, 51, 0, 0));   // row 6: older
  machine.PutFile(system + "expsrv.dll", "no version resource");    // row 15
  machine.PutFile(system + "riched32.dll", Library(4, 0, 993, 4));  // row 16, other case
  machine.PutFile(system + "itircl.dll", Library(1, 0, 0, 0));      // row 17, hidden
  machine.SetAttributes(system + "itircl.dll", win::FILE_ATTRIBUTE_HIDDEN);
  machine.MakeFolder(system + "itss.dll");                         // row 18: a folder
  machine.PutFile(system + "COMCTL32.OCX", Library(6, 0, 81, 4));  // row 21: older build
  machine.SetAttributes(system + "COMCTL32.OCX", win::FILE_ATTRIBUTE_READONLY);
  machine.PutFile("C:\\Program Files\\LYN\\Maps\\Map01_Harbour.jpg", "JFIF");  // row 35

  SetupState state;
  state.WindowsFolder = "C:\\Windows";
  state.SystemFolder = "C:\\Windows\\system32";
  state.DaoFolder = "C:\\Program Files\\Common Files\\Microsoft Shared\\DAO";
  state.ProgramFolder = "C:\\Program Files\\LYN";
  state.MapsFolder = "C:\\Program Files\\LYN\\Maps";
  state.UninstallLogName = "UnInstallLYN.log";
  state.InstallLogName = "InstallInfo.log";
  state.SectionVersion = "[VERSION]";
  OpenInstallLogs(machine.platform(), state);
  SurveyVersions(machine.platform(), state);
  CloseInstallLogs(machine.platform());

  const struct {
    int row;
    const char* path;
    const char* summary;
  } expected[] = {
      {6, "C:\\Windows\\system32\\msjint40.dll",
       "Version Present = 3.51, Version Shipped = 4.0, Install = True"},
      {15, nullptr, "Version Present = 0.0, Version Shipped = 6.0, Install = True"},
      {16, nullptr, "Version Present = 4.0, Version Shipped = 4.0, Install = False"},
      {17, nullptr, "Version Present = None, Version Shipped = 5.2, Install = True"},
      {18, nullptr, "Version Present = None, Version Shipped = 5.2, Install = True"},
      {21, nullptr, "Version Present = 6.0, Version Shipped = 6.0, Install = False"},
      {35, nullptr, "Version Present = 0.0, Version Shipped = 0.0, Install = False"},
      {48, "C:\\Program Files\\LYN\\Maps\\Map14_Overview.jpg",
       "Version Present = None, Version Shipped = None, Install = True"},
  };
  // The header once, then path and summary for each of rows 6 to 48.
  const std::vector<std::string> log =
      Lines(machine.ReadFile(state.ProgramFolder + "\\InstallInfo.log"));
  ASSERT_EQ(log.size(), 1u + 2 * 43);
  EXPECT_EQ(log[0], "[VERSION]");
  EXPECT_EQ(std::count(log.begin(), log.end(), "[VERSION]"), 1);
  for (const auto& e : expected) {
    const std::size_t at = 1 + 2 * static_cast<std::size_t>(e.row - kFirstSurveyedRow);
    EXPECT_EQ(log[at], e.path ? e.path : SurveyedPath(state, e.row)) << e.row;
    EXPECT_EQ(log[at + 1], e.summary) << e.row;
    EXPECT_EQ(Manifest::InstallMark[e.row] == kTrue16, std::string(e.summary).ends_with("True"));
  }
  for (int spare = 1; spare <= 5; ++spare) EXPECT_EQ(Manifest::InstallMark[spare], kFalse16);
  EXPECT_EQ(state.VersionSummary, log.back());
  EXPECT_EQ(machine.ReadFile("C:\\Windows\\UnInstallLYN.log"), "");
}

}  // namespace
}  // namespace lyn
