// SetupState: the values the setup window stores on itself at load, read by
// every later phase of the run.
#pragma once

#include <memory>
#include <string>

#include "common/boolean16.h"
#include "security/cntfs.h"

namespace lyn {

struct SetupState {
  std::unique_ptr<cNTFS> Security;

  // Folders.
  std::string TempFolder;
  std::string SetupTempFolder;
  std::string WindowsFolder;
  std::string SystemFolder;
  std::string CommonFilesFolder;
  std::string ProgramFilesFolder;
  std::string SharedFolder;
  std::string DaoFolder;
  std::string ProgramFolder;
  std::string MapsFolder;  // set by the install run before it places files

  // Log names.
  std::string UninstallLogName;
  std::string InstallLogName;

  // Section headers; each is emptied after its first use in the logs.
  std::string SectionVersion;
  std::string SectionProgramFileFolder;
  std::string SectionProgramFiles;
  std::string SectionSystem;
  std::string SectionWindows;
  std::string SectionCommon;
  std::string SectionAP;
  std::string SectionAPM;
  std::string SectionRegistration;
  std::string SectionProgramGroup;
  std::string SectionProgramGroupShortcut;
  std::string SectionDesktopShortcut;
  std::string SectionUninstallReg;
  std::string SectionEnd;

  // Outcome words.
  std::string OutcomeSuccessful;
  std::string OutcomeFailed;
  std::string OutcomeNA;

  // The version survey's summary of the row being logged.
  std::string VersionSummary;

  // Set by the integration phase: the program group and desktop folders,
  // the last shortcut file made, and the uninstall entry's key path.
  std::string ProgramGroupFolder;
  std::string DesktopFolder;
  std::string LastShortcutPath;
  std::string UninstallKeyPath;
  // The install run's latest self-registration result.
  Boolean16 LastRegistrationResult = kFalse16;
};

}  // namespace lyn
