#include "shell/frm_setup.h"

#include <memory>
#include <stdexcept>

#include "security/file_owner.h"
#include "shell/fill_setup_state.h"
#include "shell/frm_setup_design.h"
#include "shell/os_check.h"
#include "shell/paint_gradient.h"

namespace lyn {

void frmSetup::Show() {
  if (form_ == nullptr) {
    CreateControls();
    WireHandlers();
    Load();
  }
  form_->Show();
}

ui::Control& frmSetup::Control(const std::string& name) const {
  const auto found = controls_.find(name);
  if (found == controls_.end()) throw std::out_of_range("frmSetup has no control " + name);
  return *found->second;
}

void frmSetup::CreateControls() {
  form_ = &platform_.widgets.CreateForm(FrmSetupFormDesign(), kFrmSetupClientWidth,
                                        kFrmSetupClientHeight);
  for (const ui::ControlDesign& design : FrmSetupControlDesigns()) {
    controls_[design.name] = design.kind == ui::Kind::PictureBox
                                 ? static_cast<ui::Control*>(&form_->AddPictureBox(design))
                                 : &form_->Add(design);
  }
}

void frmSetup::WireHandlers() {
  Control("lblAcceptYes").SetHandler([this] { lblAcceptYes_Click(); });
  Control("lblAcceptNo").SetHandler([this] { lblAcceptNo_Click(); });
  Control("OpAccept(0)").SetHandler([this] { OpAccept_Click(0); });
  Control("OpAccept(1)").SetHandler([this] { OpAccept_Click(1); });
  Control("cmdOK").SetHandler([this] { cmdOK_Click(); });
  Control("cmdExit").SetHandler([this] { cmdExit_Click(); });
  Control("tmrSetPermissions").SetHandler([this] { tmrSetPermissions_Timer(); });
}

void frmSetup::Load() {
  // 1. Centre the window on the screen.
  const double screenWidth =
      platform_.user32.GetSystemMetrics(win::SM_CXSCREEN) * ui::kTwipsPerPixel;
  const double screenHeight =
      platform_.user32.GetSystemMetrics(win::SM_CYSCREEN) * ui::kTwipsPerPixel;
  const double top = (screenHeight - form_->Height()) / 2;
  const double left = (screenWidth - form_->Width()) / 2;
  form_->Move(static_cast<int>(left), static_cast<int>(top), form_->Width(), form_->Height());

  // 2. Always on top.
  platform_.user32.SetWindowPos(form_->hWnd(), win::HWND_TOPMOST, 0, 0, 0, 0,
                                win::SWP_NOMOVE | win::SWP_NOSIZE);

  // 3. The security object and the volume test.
  state_.Security = std::make_unique<cNTFS>(platform_);
  NtfsVolume = ToBoolean16(state_.Security->IsNTFS());

  // 4. The operating-system check; may end the process.
  Control("lblClientOS").SetCaption(OperatingSystemCheck(platform_, form_->hWnd()));

  // 5. The setup state.
  FillSetupState(platform_, state_);

  // 6. The background.
  form_->SetScaleMode(ui::ScaleMode::Pixels);
  PaintGradient(kTrue16, static_cast<float>(form_->ScaleWidth()),
                static_cast<float>(form_->ScaleHeight()), "000000", "576579", form_, nullptr);
}

void frmSetup::lblAcceptYes_Click() {
  Control("OpAccept(0)").SetValue(true);
  Control("cmdOK").SetEnabled(true);
}

void frmSetup::lblAcceptNo_Click() {
  Control("OpAccept(1)").SetValue(true);
  Control("cmdOK").SetEnabled(false);
}

void frmSetup::OpAccept_Click(int index) {
  Control("cmdOK").SetEnabled(index == 0);
}

void frmSetup::cmdOK_Click() {
  RunInstall();
}

void frmSetup::cmdExit_Click() {
  platform_.kernel32.ExitProcess(0);
}

void frmSetup::tmrSetPermissions_Timer() {
  constexpr int kArrowHourglass = 13;
  constexpr int kDefaultPointer = 0;
  platform_.widgets.SetMousePointer(kArrowHourglass);
  Control("tmrSetPermissions").SetEnabled(false);
  const bool rightsMissing =
      NtfsVolume != kFalse16 && RightsMissing(platform_, state_.SystemFolder);
  SecurityEnabled = ToBoolean16(rightsMissing);
  if (NtfsVolume != kFalse16 && rightsMissing) {
    state_.Security->FreeFolder(state_.WindowsFolder);
    state_.Security->FreeFolder(state_.SystemFolder);
    state_.Security->FreeKeyLM("Software");
  }
  platform_.widgets.SetMousePointer(kDefaultPointer);
}

}  // namespace lyn
