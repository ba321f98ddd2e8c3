// Pictures of the window at the phases of an install: the licence page once
// the licence is accepted (Continue enabled); the progress panel the moment
// each phase's row is complete, its progress label showing "....Done" and
// its tick or cross shown (the rows set the two in either order); and
// Finish shown, in this order. A run that stops early leaves the pictures of
// the phases it reached.
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
  // The pictures go to `folder` (made when missing) as "0-licence.png",
  // "1-extraction.png" to "5-uninstall-entry.png" and "6-finish.png", each
  // with what it shows as text beside it ("1-extraction.txt", see
  // window_text.h). A picture that cannot be written ends the run
  // as failed. Must be added to the widgets' observers after the mirror, so
  // that it sees the window as the mirror has just updated it.
  PhaseScreenshots(const WindowMirror& mirror, std::filesystem::path folder,
                   HeadlessLoop::EndFunction end);

  void OnChanged(const ControlModel& control, Property property) override;

  // The file names of the phases' pictures, in the order of the rows.
  static const std::array<std::string, 7>& FileNames();

 private:
  // The phase a control's change may complete: Continue the licence page's,
  // a progress label, tick or cross its row's (1 to 5), the Finish button
  // the last; -1 for other controls.
  static int PhaseOf(const ControlModel& control);
  static bool PhaseComplete(FormModel& form, int phase);
  void Take(const FormModel& form, int phase);

  const WindowMirror& mirror_;
  std::filesystem::path folder_;
  HeadlessLoop::EndFunction end_;
  std::array<bool, 7> taken_{};
};

}  // namespace lyn::sim::fltk
