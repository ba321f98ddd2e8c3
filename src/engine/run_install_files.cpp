// The install run's file phase: each marked manifest file copied from the
// temporary folder to its destination, then the temporary folder removed.
#include <string>

#include "common/progress_dots.h"
#include "engine/install_checks.h"
#include "engine/install_log.h"
#include "engine/manifest.h"
#include "engine/placement.h"
#include "shell/can_replace_file.h"
#include "shell/frm_setup.h"
#include "sysinfo/ansi_text.h"
#include "sysinfo/shell_file_operation.h"

namespace lyn {

void frmSetup::FilePhase() {
  ui::Control& progress = Control("lblInprogress");
  Control("lblInstalling").SetVisible(true);
  progress.SetVisible(true);
  Repaint();
  AllowUndo = false;
  ProgressDots::Set(0);
  for (int row = 1; row <= kManifestRowCount; ++row) {
    AdvanceDots(progress);
    Repaint();
    if (Manifest::InstallMark[row] == kFalse16) continue;
    const std::string& fileName = Manifest::FileName[row];
    const Placement placement = PlacementOf(state_, Manifest::Destination[row]);
    if (placement.folder == nullptr) continue;
    const std::string source = state_.SetupTempFolder + "\\" + fileName;
    const std::string destination = *placement.folder + "\\" + fileName;
    if (FileMissing(platform_, source)) {
      if (Manifest::Destination[row] == APM) {
        progress.SetCaption("....Done");
        Control("imgCross(1)").SetVisible(true);
      }
      MissingFileStop(fileName);
    }
    // A refused replacement leaves the present file, unlogged here (the
    // check logs its reason) and still marked, so it is registered later.
    if (placement.shared && !CanReplaceFile(platform_, destination)) continue;
    const bool copied = ShellFileOperation(platform_, source, destination, win::FO_COPY) == 0;
    if (!copied) Manifest::InstallMark[row] = kFalse16;
    WriteLog(platform_, false, *placement.section, destination,
             copied ? state_.OutcomeSuccessful : state_.OutcomeFailed);
    placement.section->clear();
  }
  progress.SetCaption("....Done");
  Control("imgTick(1)").SetVisible(true);
}

// What is already in the system, Windows and DAO folders stays; the program
// folder and the temporary folder go. The install-information log stays
// open until the program ends.
void frmSetup::MissingFileStop(const std::string& fileName) {
  const std::string text =
      "Unable to continue.  File " + fileName + " missing.\r\n\r\nThis Setup will now terminate.";
  platform_.user32.MessageBoxA(form_->hWnd(), ToAnsi(platform_.kernel32, text).c_str(),
                               "File Missing", win::MB_OK | win::MB_ICONSTOP);
  CloseUninstallLog(platform_);
  ShellFileOperation(platform_, state_.SetupTempFolder, "", win::FO_DELETE);
  ShellFileOperation(platform_, state_.ProgramFolder, "", win::FO_DELETE);
  platform_.kernel32.ExitProcess(0);
}

// Errors here are ignored: the run goes on whatever is left behind.
void frmSetup::RemoveTempFolder() {
  Control("lblRegistering").SetVisible(true);
  Control("lblRegprogress").SetVisible(true);
  Repaint();
  DeleteFilesIn(platform_, state_.SetupTempFolder);
  const std::string folder = ToAnsi(platform_.kernel32, state_.SetupTempFolder);
  platform_.kernel32.RemoveDirectoryA(folder.c_str());
  const win::DWORD attributes = platform_.kernel32.GetFileAttributesA(folder.c_str());
  if (attributes != win::INVALID_FILE_ATTRIBUTES &&
      (attributes & win::FILE_ATTRIBUTE_DIRECTORY) != 0) {
    ShellFileOperation(platform_, state_.SetupTempFolder, "", win::FO_DELETE);
  }
}

void frmSetup::FinishRun() {
  WriteLog(platform_, false, state_.SectionEnd, "", "");
  CloseInstallLogs(platform_);
  Control("cmdExit").SetVisible(true);
}

}  // namespace lyn
