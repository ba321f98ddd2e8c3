#include "platform/sim/fltk/phase_screenshots.h"

#include <exception>
#include <iostream>
#include <system_error>

#include "platform/sim/fltk/screenshot.h"
#include "platform/sim/fltk/window_text.h"
#include "platform/sim/ui/form_model.h"
#include "platform/sim/ui/script.h"

namespace lyn::sim::fltk {
namespace {

// The progress labels of the panel's rows, top to bottom.
constexpr std::array<const char*, 5> kProgressLabels = {
    "lblExprogress", "lblInprogress", "lblRegprogress", "lblPGprogress", "lblUninstallprogress"};
constexpr const char* kDone = "....Done";
constexpr int kLicencePhase = 0;
constexpr int kFinishPhase = 6;

std::string Indexed(const char* name, int row) {
  return std::string(name) + "(" + std::to_string(row) + ")";
}

// What the window shows as text goes beside the picture: "1-extraction.txt".
std::string TextPath(const std::string& picture) {
  return picture.substr(0, picture.rfind('.')) + ".txt";
}

bool Shown(FormModel& form, const std::string& name) {
  const ControlModel* control = form.Find(name);
  return control != nullptr && control->Visible();
}

}  // namespace

PhaseScreenshots::PhaseScreenshots(const WindowMirror& mirror, std::filesystem::path folder,
                                   HeadlessLoop::EndFunction end)
    : mirror_(mirror), folder_(std::move(folder)), end_(std::move(end)) {}

const std::array<std::string, 7>& PhaseScreenshots::FileNames() {
  static const std::array<std::string, 7> names = {
      "0-licence.png",   "1-extraction.png",      "2-files.png", "3-registration.png",
      "4-shortcuts.png", "5-uninstall-entry.png", "6-finish.png"};
  return names;
}

int PhaseScreenshots::PhaseOf(const ControlModel& control) {
  if (control.Name() == "cmdOK") return kLicencePhase;
  if (control.Name() == "cmdExit") return kFinishPhase;
  for (int row = 0; row < static_cast<int>(kProgressLabels.size()); ++row) {
    const std::string& name = control.Name();
    if (name == kProgressLabels[row] || name == Indexed("imgTick", row) ||
        name == Indexed("imgCross", row)) {
      return row + 1;
    }
  }
  return -1;
}

bool PhaseScreenshots::PhaseComplete(FormModel& form, int phase) {
  if (phase == kLicencePhase) return form.Find("cmdOK")->Enabled();
  if (phase == kFinishPhase) {
    const ControlModel* finish = form.Find("cmdExit");
    return finish->SeenByPerson() && finish->Caption() == "Finish";
  }
  const int row = phase - 1;
  const ControlModel* label = form.Find(kProgressLabels[row]);
  return label != nullptr && label->Caption() == kDone &&
         (Shown(form, Indexed("imgTick", row)) || Shown(form, Indexed("imgCross", row)));
}

void PhaseScreenshots::OnChanged(const ControlModel& control, Property property) {
  if (property != Property::Caption && property != Property::Visible &&
      property != Property::Enabled) {
    return;
  }
  // The phases come in order: Finish, for one, is captioned when the run
  // starts, and shown when it ends.
  const int phase = PhaseOf(control);
  if (phase < 0 || taken_[phase] || (phase > 0 && !taken_[phase - 1]) ||
      !PhaseComplete(control.Form(), phase)) {
    return;
  }
  taken_[phase] = true;
  Take(control.Form(), phase);
}

void PhaseScreenshots::Take(const FormModel& form, int phase) {
  const std::string path = (folder_ / FileNames()[phase]).string();
  try {
    Fl_Window* window = mirror_.WindowOf(form);
    if (window == nullptr) throw std::runtime_error("the setup window is not shown for " + path);
    std::error_code error;
    std::filesystem::create_directories(folder_, error);
    if (error) throw std::runtime_error("cannot make the folder " + folder_.string());
    SaveScreenshot({window}, path);
    WriteWindowText(form, TextPath(path));
    std::cerr << "lynsim: wrote the screenshot " << path << "\n";
  } catch (const std::exception& e) {
    std::cerr << "lynsim: " << e.what() << "\n";
    end_("exit 1", kRunFailed);
  }
}

}  // namespace lyn::sim::fltk
