// The install run after the file phase: self-registration of the placed
// libraries, the program group and shortcuts, and the uninstall entry.
#include <array>
#include <string>

#include "common/progress_dots.h"
#include "engine/install_log.h"
#include "engine/manifest.h"
#include "engine/placement.h"
#include "integration/create_shortcuts.h"
#include "integration/mod_register.h"
#include "integration/uninstall_entry.h"
#include "shell/frm_setup.h"

namespace lyn {

void frmSetup::RegistrationPhase() {
  ui::Control& progress = Control("lblRegprogress");
  ProgressDots::Set(0);
  for (int row = 1; row <= kManifestRowCount; ++row) {
    AdvanceDots(progress);
    platform_.widgets.DoEvents();
    Repaint();
    if (Manifest::InstallMark[row] == kFalse16) continue;
    const Placement placement = PlacementOf(state_, Manifest::Destination[row]);
    if (placement.folder == nullptr) continue;
    const std::string path = *placement.folder + "\\" + Manifest::FileName[row];
    std::string outcome = state_.OutcomeNA;
    if (placement.shared) {
      bool registered = false;
      try {
        registered = RegisterFile(platform_, path, true);
      } catch (const std::exception&) {
        registered = false;
      }
      state_.LastRegistrationResult = ToBoolean16(registered);
      outcome = registered ? state_.OutcomeSuccessful : state_.OutcomeFailed;
    }
    WriteLog(platform_, false, state_.SectionRegistration, path, outcome);
    state_.SectionRegistration.clear();
  }
  progress.SetCaption("....Done");
  Control("imgTick(2)").SetVisible(true);
}

void frmSetup::ShortcutPhase() {
  ui::Control& progress = Control("lblPGprogress");
  Control("lblProgramGroup").SetVisible(true);
  progress.SetVisible(true);
  ProgressDots::Set(1);
  progress.SetCaption(ProgressDots::Dots);
  bool grouped = false;
  try {
    grouped = MakeProgramGroup(platform_, state_);
  } catch (const std::exception&) {
    grouped = false;
  }
  WriteLog(platform_, false, state_.SectionProgramGroup, state_.ProgramGroupFolder,
           grouped ? state_.OutcomeSuccessful : state_.OutcomeFailed);
  state_.SectionProgramGroup.clear();

  const std::string program = state_.ProgramFolder + "\\";
  const std::string windows = state_.WindowsFolder + "\\";
  const std::string group = state_.ProgramGroupFolder + "\\";
  const std::string desktop = state_.DesktopFolder + "\\";
  const struct {
    std::string* header;
    ShortcutData data;
  } shortcuts[] = {
      {&state_.SectionProgramGroupShortcut,
       {group + "LYN.exe", program + "LYN.exe", program, "", program + "LYN.exe", 0, 5,
        "Lynwood Catalog Suite"}},
      {&state_.SectionProgramGroupShortcut,
       {group + "Help QY.chm", program + "QY.chm", program, "", program + "QY.chm", 0, 5, "Help"}},
      {&state_.SectionProgramGroupShortcut,
       {group + "UninstallLYN67.exe", windows + "UninstallLYN67.exe", windows, "",
        windows + "UninstallLYN67.exe", 0, 5, "Uninstall"}},
      {&state_.SectionDesktopShortcut,
       {desktop + "LYN.exe", program + "LYN.exe", program, "", program + "LYN.exe", 0, 5,
        "Lynwood Catalog Suite"}},
  };
  for (const auto& shortcut : shortcuts) {
    ProgressDots::Set(ProgressDots::Counter + 1);
    progress.SetCaption(ProgressDots::Dots);
    bool made = false;
    try {
      made = MakeShortcut(platform_, state_, shortcut.data);
    } catch (const std::exception&) {
      made = false;
    }
    WriteLog(platform_, false, *shortcut.header, state_.LastShortcutPath,
             made ? state_.OutcomeSuccessful : state_.OutcomeFailed);
    shortcut.header->clear();
  }
  progress.SetCaption("....Done");
  Control("imgTick(3)").SetVisible(true);
  Repaint();
}

void frmSetup::UninstallEntryPhase() {
  bool written = false;
  try {
    written = WriteUninstallEntry(platform_, state_, state_.ProgramFolder + "\\LYN.exe",
                                  state_.WindowsFolder + "\\UninstallLYN67.exe");
  } catch (const std::exception&) {
    written = false;
  }
  Control(written ? "imgTick(4)" : "imgCross(4)").SetVisible(true);
  WriteLog(platform_, false, state_.SectionUninstallReg, state_.UninstallKeyPath,
           written ? state_.OutcomeSuccessful : state_.OutcomeFailed);
  state_.SectionUninstallReg.clear();
  Control("lblRegUninstall").SetVisible(true);
  Control("lblUninstallprogress").SetVisible(true);
  Control("lblUninstallprogress").SetCaption("....Done");
  Repaint();
}

}  // namespace lyn
