// Pictures of the progress panel, one per phase of the install run: each is
// taken the moment a phase's row is complete, its progress label showing
// "....Done" and its tick or cross shown (the rows set the two in either
// order). A run that stops early leaves the pictures of the phases it ended.
#pragma once

#include <array>
#include <filesystem>
#include <string>

#include "platform/sim/fltk/window_mirror.h"
#include "platform/sim/ui/headless_loop.h"
#include "platform/sim/ui/widget_observer.h"

namespace lyn::sim::fltk {

class PhaseScreenshots final : public WidgetObserver {
 public:
  // The pictures go to `folder` (made when missing) as "1-extraction.png" to
  // "5-uninstall-entry.png". A picture that cannot be written ends the run
  // as failed. Must be added to the widgets' observers after the mirror, so
  // that it sees the window as the mirror has just updated it.
  PhaseScreenshots(const WindowMirror& mirror, std::filesystem::path folder,
                   HeadlessLoop::EndFunction end);

  void OnChanged(const ControlModel& control, Property property) override;

  // The file names of the phases' pictures, in the order of the rows.
  static const std::array<std::string, 5>& FileNames();

 private:
  // The row a progress label, tick or cross belongs to, or -1.
  static int RowOf(const ControlModel& control);
  static bool RowComplete(FormModel& form, int row);
  void Take(const FormModel& form, int row);

  const WindowMirror& mirror_;
  std::filesystem::path folder_;
  HeadlessLoop::EndFunction end_;
  std::array<bool, 5> taken_{};
};

}  // namespace lyn::sim::fltk
