// frmSetup: the program's only window, its load sequence and the handlers
// of the licence page.
#pragma once

#include <map>
#include <memory>
#include <string>

#include "cabinet/cab_file.h"
#include "common/module_state.h"
#include "common/setup_state.h"
#include "platform/api/platform.h"

namespace lyn {

class frmSetup {
 public:
  explicit frmSetup(Platform& platform) : platform_(platform) {}

  // Creates the window and its controls, runs the load sequence (which may
  // end the process) and shows the window modeless.
  void Show();

  SetupState& State() { return state_; }
  // The window, once created; 0 before.
  win::HWND hWnd() const { return form_ != nullptr ? form_->hWnd() : 0; }
  ui::Control& Control(const std::string& name) const;

  // Takes the product's marked files out of "LYN.CAB" in the current folder
  // into `OutputPath`, showing the dots in the extraction row. Throws the
  // cabinet object's CabFileError.
  void ExtractCabinet(const std::string& OutputPath, const std::string& OutputFile);

  // The installation, started by Continue: runs to its end on the window's
  // thread, or ends the program at one of its three fatal stops.
  void RunInstall();

 private:
  void CreateControls();
  void WireHandlers();
  void Load();

  void lblAcceptYes_Click();
  void lblAcceptNo_Click();
  void OpAccept_Click(int index);
  void cmdOK_Click();
  void cmdExit_Click();
  void tmrSetPermissions_Timer();

  // The phases of the install run.
  void ShowProgressPanel();
  void ChooseProgramFolder();
  void CreateFolders();
  void CreateAndGrant(const std::string& folder);
  void ExtractionPhase();
  void FilePhase();
  void MissingFileStop(const std::string& fileName);
  void RemoveTempFolder();
  void RegistrationPhase();
  void ShortcutPhase();
  void UninstallEntryPhase();
  void FinishRun();
  // Advances the progress dots by one, wrapping from 9 back to 1, and shows
  // them in the label.
  void AdvanceDots(ui::Control& progressLabel);
  void Repaint();

  Platform& platform_;
  SetupState state_;
  ui::Form* form_ = nullptr;
  std::map<std::string, ui::Control*> controls_;
  std::shared_ptr<CabFile> cab;
};

}  // namespace lyn
