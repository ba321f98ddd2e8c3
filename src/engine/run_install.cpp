// The install run from Continue: the progress panel, the program folder, the
// folders, the logs, the survey and the extraction; the file phase follows.
#include <cstdio>
#include <string>

#include "common/progress_dots.h"
#include "engine/install_checks.h"
#include "engine/install_log.h"
#include "engine/version_survey.h"
#include "shell/frm_setup.h"
#include "shell/paint_gradient.h"
#include "sysinfo/ansi_text.h"

namespace lyn {
namespace {

constexpr int kLastNumberedFolder = 99;

ui::Surface& SurfaceOf(ui::Control& control) {
  return dynamic_cast<ui::Surface&>(control);
}

}  // namespace

void frmSetup::RunInstall() {
  ShowProgressPanel();
  ChooseProgramFolder();
  CreateFolders();
  OpenInstallLogs(platform_, state_);
  WriteLog(platform_, false, state_.SectionProgramFileFolder, state_.ProgramFolder,
           state_.OutcomeSuccessful);
  SurveyVersions(platform_, state_);
  ExtractionPhase();
  FilePhase();
  RemoveTempFolder();
  RegistrationPhase();
  ShortcutPhase();
  UninstallEntryPhase();
  FinishRun();
}

void frmSetup::ShowProgressPanel() {
  Control("cmdOK").SetEnabled(false);
  Control("cmdExit").SetCaption("Finish");
  Control("cmdExit").SetVisible(false);
  // The panel waits above the form; it now covers the licence page.
  ui::Surface& picInstall = SurfaceOf(Control("picInstall"));
  picInstall.Move(0, -10, form_->Width(), form_->Height());
  picInstall.SetScaleMode(ui::ScaleMode::Pixels);
  PaintGradient(kFalse16, static_cast<float>(picInstall.ScaleWidth()),
                static_cast<float>(picInstall.ScaleHeight()), "000000", "576579", nullptr,
                &picInstall);
  for (const char* name : {"Image1", "Image2", "cmdExit"}) Control(name).SetContainer(picInstall);
}

void frmSetup::ChooseProgramFolder() {
  Control("lblProgFileDir").SetCaption(state_.ProgramFolder);
  InstallCheck found = CheckInstalled(platform_, state_.ProgramFolder);
  // A folder without a complete installation: the first numbered variant
  // that is not there, or LYN99 when all of them are.
  for (int n = 1; found == kFolderOnly && n <= kLastNumberedFolder; ++n) {
    char number[3];
    std::snprintf(number, sizeof number, "%02d", n);
    state_.ProgramFolder = state_.ProgramFilesFolder + "\\LYN" + number;
    found = CheckInstalled(platform_, state_.ProgramFolder);
  }
  if (found != kInstalled) return;
  Control("lblProgFileDir").SetCaption(state_.ProgramFolder);
  platform_.user32.MessageBoxA(form_->hWnd(),
                               "The LYN program is already installed on this computer.\r\n\r\n"
                               "If you wish to re-install, please uninstall the current\r\n\r\n"
                               "installation first.  This Setup will now terminate.",
                               "Installation Already Exists", win::MB_OK | win::MB_ICONSTOP);
  platform_.kernel32.ExitProcess(0);
}

void frmSetup::CreateFolders() {
  Control("lblProgFileDir").SetCaption(state_.ProgramFolder);
  CreateAndGrant(state_.ProgramFolder);
  if (PrepareTempFolder(platform_, state_.SetupTempFolder, form_->hWnd())) {
    CreateAndGrant(state_.SetupTempFolder);
  }
  if (FolderMissing(platform_, state_.SharedFolder)) CreateAndGrant(state_.SharedFolder);
  if (FolderMissing(platform_, state_.DaoFolder)) CreateAndGrant(state_.DaoFolder);
  state_.MapsFolder = state_.ProgramFolder + "\\Maps";
  if (FolderMissing(platform_, state_.MapsFolder)) CreateAndGrant(state_.MapsFolder);
}

// Creating a folder that is already there fails silently; the grant is made
// all the same.
void frmSetup::CreateAndGrant(const std::string& folder) {
  platform_.kernel32.CreateDirectoryA(ToAnsi(platform_.kernel32, folder).c_str(), nullptr);
  if (NtfsVolume != kFalse16 && SecurityEnabled != kFalse16) state_.Security->FreeFolder(folder);
}

void frmSetup::ExtractionPhase() {
  try {
    ExtractCabinet(state_.SetupTempFolder, "");
  } catch (const std::exception&) {
    // An unreadable cabinet leaves its files missing; the file phase stops
    // on the first of them.
  }
  Control("lblExprogress").SetCaption("....Done");
  Control("imgTick(0)").SetVisible(true);
}

void frmSetup::AdvanceDots(ui::Control& progressLabel) {
  ProgressDots::Advance();
  progressLabel.SetCaption(ProgressDots::Dots);
}

void frmSetup::Repaint() {
  form_->Refresh();
}

}  // namespace lyn
