// One combination of the compatibility matrix, run in a process of its own:
// a machine made for an edition and a variant, the whole install as the
// default person does it (licence accepted, every message box answered Yes
// or OK, Continue, Finish), then the uninstaller through the uninstall entry.
// Each step leaves its files in the combination's folder as soon as it is
// done, so that a combination cut short still tells how far it came.
#pragma once

#include <filesystem>

#include "matrix_variants.h"

namespace lyn::lynsim {

// The files of a combination's folder.
namespace combination_files {
inline constexpr const char* kStep = "step.txt";    // the step under way
inline constexpr const char* kError = "error.txt";  // why the combination could not go on
inline constexpr const char* kMachine = "machine";
inline constexpr const char* kBefore = "before";  // the machine before the install
inline constexpr const char* kTranscript = "install.txt";
inline constexpr const char* kRecord = "install.json";  // lynsim run --json's record
inline constexpr const char* kErrors = "install-errors.txt";
inline constexpr const char* kInstallDiff = "install-diff.txt";  // before -> after the install
inline constexpr const char* kGrants = "grants.txt";
inline constexpr const char* kLogs = "logs";  // the two logs, UTF-8, as the install left them
inline constexpr const char* kUninstallTranscript = "uninstall.txt";
inline constexpr const char* kUninstallRecord = "uninstall.json";
inline constexpr const char* kUninstallErrors = "uninstall-errors.txt";
// Which uninstaller was run, or why none could be.
inline constexpr const char* kUninstallNotes = "uninstall-notes.txt";
inline constexpr const char* kDiff = "diff.txt";  // before the install -> after the uninstall
inline constexpr const char* kPictures = "pictures";
}  // namespace combination_files

struct CombinationRun {
  MachinePlan plan;
  std::filesystem::path folder;  // made by the caller, empty
  // Where the machine and its copy from before the install are made (the
  // folder itself, or a scratch folder elsewhere).
  std::filesystem::path machines;
  bool pictures = false;      // the install in the window, a picture per phase
  bool keepMachines = false;  // keep the machine and its copy from before the install
};

// Runs the combination in the calling process, which must hold no machine
// open (it forks the programs' processes). Returns the process's exit
// status: 0 when every step ran, 1 when one could not (error.txt says why).
int RunCombination(const CombinationRun& run);

}  // namespace lyn::lynsim
