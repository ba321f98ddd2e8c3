// The record of one combination of the compatibility matrix, read from the
// files its steps left (matrix_combination.h): how the setup program ended,
// the progress rows, the logs' counts, the grants, the uninstaller's report
// and what the machine kept after the uninstall. docs/lynsim-matrix.md
// describes it.
#pragma once

#include <filesystem>
#include <string>

#include "matrix_jobs.h"
#include "matrix_variants.h"
#include "record_output.h"

namespace lyn::lynsim {

// The outcomes a cell can show, from best to worst.
namespace outcomes {
inline constexpr const char* kInstalled = "installed";
inline constexpr const char* kInstalledWithFailures = "installed with failures";
inline constexpr const char* kRefused = "refused";
inline constexpr const char* kStopped = "stopped";
inline constexpr const char* kNotStarted = "not started";
inline constexpr const char* kFailed = "failed";
inline constexpr const char* kHung = "hung";
inline constexpr const char* kNotApplicable = "not applicable";
inline constexpr const char* kNotRun = "not run";
}  // namespace outcomes

struct CombinationName {
  std::string preset;
  std::string variant;
  // The combination's folder under the matrix's folder: "runs/PRESET/VARIANT".
  std::filesystem::path Folder() const;
};

// The record of a combination whose process ended as `end` says; `out` is
// the matrix's folder. Its file names are relative to `out`.
Record CombinationRecord(const std::filesystem::path& out, const CombinationName& name,
                         const MachinePlan& plan, const JobEnd& end, double limitSeconds);

// The record of a combination that is not run: the edition lacks what the
// variant requires, or no part of a merged matrix ran it.
Record EmptyRecord(const CombinationName& name, const std::string& outcome);

}  // namespace lyn::lynsim
