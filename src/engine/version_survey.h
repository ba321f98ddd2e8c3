// The version survey: before anything is copied, each manifest file's
// destination is looked at and the file is marked for installation when it
// is absent there or the present one is older by major.minor.
#pragma once

#include <string>

#include "common/setup_state.h"
#include "platform/api/platform.h"

namespace lyn {

inline constexpr int kFirstSurveyedRow = 6;
inline constexpr int kLastSurveyedRow = 48;

// Builds the manifest, surveys rows 6 to 48 in order, sets their install
// marks and version texts, and writes one information-only entry per row
// (path and VersionSummary) under SectionVersion, which is emptied after the
// first entry.
void SurveyVersions(Platform& platform, SetupState& state);

// Where the survey looks for a row's file: the folder of the row's range
// (system, DAO, program, Windows or Maps folder), "\", the file name.
std::string SurveyedPath(const SetupState& state, int row);

// The summary logged for a surveyed row, from its version texts and mark:
// "Version Present = 4.0, Version Shipped = 4.0, Install = False".
std::string SurveySummary(int row);

}  // namespace lyn
