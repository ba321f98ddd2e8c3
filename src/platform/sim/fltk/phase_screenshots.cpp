#include "platform/sim/fltk/phase_screenshots.h"

#include <exception>
#include <iostream>
#include <system_error>

#include "platform/sim/fltk/screenshot.h"
#include "platform/sim/ui/form_model.h"
#include "platform/sim/ui/script.h"

namespace lyn::sim::fltk {
namespace {

// The progress labels of the panel's rows, top to bottom.
constexpr std::array<const char*, 5> kProgressLabels = {
    "lblExprogress", "lblInprogress", "lblRegprogress", "lblPGprogress", "lblUninstallprogress"};
constexpr const char* kDone = "....Done";

std::string Indexed(const char* name, int row) {
  return std::string(name) + "(" + std::to_string(row) + ")";
}

bool Shown(FormModel& form, const std::string& name) {
  const ControlModel* control = form.Find(name);
  return control != nullptr && control->Visible();
}

}  // namespace

PhaseScreenshots::PhaseScreenshots(const WindowMirror& mirror, std::filesystem::path folder,
                                   HeadlessLoop::EndFunction end)
    : mirror_(mirror), folder_(std::move(folder)), end_(std::move(end)) {}

const std::array<std::string, 5>& PhaseScreenshots::FileNames() {
  static const std::array<std::string, 5> names = {"1-extraction.png", "2-files.png",
                                                   "3-registration.png", "4-shortcuts.png",
                                                   "5-uninstall-entry.png"};
  return names;
}

int PhaseScreenshots::RowOf(const ControlModel& control) {
  for (int row = 0; row < static_cast<int>(kProgressLabels.size()); ++row) {
    const std::string& name = control.Name();
    if (name == kProgressLabels[row] || name == Indexed("imgTick", row) ||
        name == Indexed("imgCross", row)) {
      return row;
    }
  }
  return -1;
}

bool PhaseScreenshots::RowComplete(FormModel& form, int row) {
  const ControlModel* label = form.Find(kProgressLabels[row]);
  return label != nullptr && label->Caption() == kDone &&
         (Shown(form, Indexed("imgTick", row)) || Shown(form, Indexed("imgCross", row)));
}

void PhaseScreenshots::OnChanged(const ControlModel& control, Property property) {
  if (property != Property::Caption && property != Property::Visible) return;
  const int row = RowOf(control);
  if (row < 0 || taken_[row] || !RowComplete(control.Form(), row)) return;
  taken_[row] = true;
  Take(control.Form(), row);
}

void PhaseScreenshots::Take(const FormModel& form, int row) {
  const std::string path = (folder_ / FileNames()[row]).string();
  try {
    Fl_Window* window = mirror_.WindowOf(form);
    if (window == nullptr) throw std::runtime_error("the setup window is not shown for " + path);
    std::error_code error;
    std::filesystem::create_directories(folder_, error);
    if (error) throw std::runtime_error("cannot make the folder " + folder_.string());
    SaveScreenshot({window}, path);
    std::cerr << "lynsim: wrote the screenshot " << path << "\n";
  } catch (const std::exception& e) {
    std::cerr << "lynsim: " << e.what() << "\n";
    end_("exit 1", kRunFailed);
  }
}

}  // namespace lyn::sim::fltk
