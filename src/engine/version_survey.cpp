#include "engine/version_survey.h"

#include <array>
#include <stdexcept>
#include <string>

#include "engine/install_log.h"
#include "engine/manifest.h"
#include "engine/version_compare.h"
#include "sysinfo/file_presence.h"
#include "sysinfo/file_version.h"

namespace lyn {
namespace {

// The rows surveyed and the folder each range is looked for in. The folder
// comes from the row range, not from the row's destination code.
struct SurveyGroup {
  int firstRow;
  int lastRow;
  std::string SetupState::*folder;
};

constexpr std::array<SurveyGroup, 5> kSurveyGroups{{
    {6, 29, &SetupState::SystemFolder},
    {30, 30, &SetupState::DaoFolder},
    {31, 33, &SetupState::ProgramFolder},
    {34, 34, &SetupState::WindowsFolder},
    {35, 48, &SetupState::MapsFolder},
}};

void SurveyRow(Platform& platform, SetupState& state, int row) {
  const std::string path = SurveyedPath(state, row);
  if (FileExists(platform, path)) {
    const std::string present = GetFileVersionInformation(platform, path).FileVersion;
    Manifest::InstallMark[row] =
        ToBoolean16(CompareVersions(present, Manifest::ShippedVersion[row], row));
  } else {
    CompareVersions("0", Manifest::ShippedVersion[row], row);
    if (Manifest::PresentVersionText[row] == "0.0") Manifest::PresentVersionText[row] = "None";
    if (Manifest::ShippedVersionText[row] == "0.0") Manifest::ShippedVersionText[row] = "None";
    Manifest::InstallMark[row] = kTrue16;
  }
  state.VersionSummary = SurveySummary(row);
  WriteLog(platform, true, state.SectionVersion, path, state.VersionSummary);
  state.SectionVersion.clear();
}

}  // namespace

void SurveyVersions(Platform& platform, SetupState& state) {
  Manifest::BuildManifest();
  for (int row = kFirstSurveyedRow; row <= kLastSurveyedRow; ++row) SurveyRow(platform, state, row);
}

std::string SurveyedPath(const SetupState& state, int row) {
  for (const SurveyGroup& group : kSurveyGroups) {
    if (row >= group.firstRow && row <= group.lastRow) {
      return state.*group.folder + "\\" + Manifest::FileName[row];
    }
  }
  throw std::out_of_range("row " + std::to_string(row) + " is not surveyed");
}

std::string SurveySummary(int row) {
  return "Version Present = " + Manifest::PresentVersionText[row] + ", " +
         "Version Shipped = " + Manifest::ShippedVersionText[row] +
         ", Install = " + (Manifest::InstallMark[row] ? "True" : "False");
}

}  // namespace lyn
