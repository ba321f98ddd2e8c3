// The window backends of `lynsim run` on Linux: the FLTK window when a
// display is at hand (or a private one for a screenshot), the headless
// widgets otherwise. A run asked to be headless never comes here: lynsim
// loads this part only to show a window (see window_module.h).
#pragma once

#include <ostream>
#include <string>

#include "platform/sim/machine/profile.h"
#include "platform/sim/run/run_program.h"
#include "platform/sim/ui/script.h"

namespace lyn::sim::fltk {

enum class DisplayChoice {
  Auto,  // the window when DISPLAY is set, else the headless widgets
  Gui,   // the window; an error without a display
};

// Chooses the backend for a run. In the window the script drives the run
// when it has clicks or a hold time or a screenshot is asked for (the
// screenshot is saved when the script is done); otherwise a person does,
// answering the message boxes the script has no answer for. A screenshot
// needs the window: without a display a private Xvfb with the machine's
// screen size is started for it (a size no display can have is refused,
// naming the profile's fields). A DISPLAY that
// cannot be opened counts as none. Falling back to the headless widgets
// writes a one-line notice saying why. A screenshot ending in "/" is a
// folder: it gets one picture of the progress panel per phase of the install
// run instead (see phase_screenshots.h). Throws std::runtime_error for a
// choice that cannot be met.
BackendFactory ChooseBackend(DisplayChoice choice, const Script& script,
                             const std::string& screenshot, const Profile& profile,
                             std::ostream& notices);

// Whether `lynsim run --screenshot` names a folder of per-phase pictures.
bool IsScreenshotFolder(const std::string& screenshot);

}  // namespace lyn::sim::fltk
