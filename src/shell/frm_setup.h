// frmSetup: the program's only window, its load sequence and the handlers
// of the licence page.
#pragma once

#include <map>
#include <string>

#include "platform/api/platform.h"
#include "shell/boolean16.h"
#include "shell/setup_state.h"

namespace lyn {

// Module-wide: whether the current volume is NTFS, set by the load sequence.
extern Boolean16 NtfsVolume;
// Module-wide: set once by the permission timer when the user lacks rights
// on the system folder; folder grants and owner checks are made only then.
extern Boolean16 SecurityEnabled;

class frmSetup {
 public:
  explicit frmSetup(Platform& platform) : platform_(platform) {}

  // Creates the window and its controls, runs the load sequence (which may
  // end the process) and shows the window modeless.
  void Show();

  SetupState& State() { return state_; }
  ui::Control& Control(const std::string& name) const;

 private:
  void CreateControls();
  void WireHandlers();
  void Load();

  void lblAcceptYes_Click();
  void lblAcceptNo_Click();
  void OpAccept_Click(int index);
  void cmdExit_Click();
  void tmrSetPermissions_Timer();

  Platform& platform_;
  SetupState state_;
  ui::Form* form_ = nullptr;
  std::map<std::string, ui::Control*> controls_;
};

}  // namespace lyn
