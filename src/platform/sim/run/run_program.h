// Runs a program of the product on an emulated machine in this process: the
// platform composed over the machine, the transcript on standard output, and
// the window backend the caller chooses. The program is started as Windows
// starts one asking for administrator rights (token.h): a declined or
// impossible elevation ends the run with kRunNotStarted before the program
// runs. The process ends inside.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "platform/api/platform.h"
#include "platform/sim/machine/machine.h"
#include "platform/sim/run/run_host.h"
#include "platform/sim/ui/event_loop.h"
#include "platform/sim/ui/headless_loop.h"
#include "platform/sim/ui/script.h"
#include "platform/sim/ui/widget_set.h"

namespace lyn::sim {

// What a window backend brings to a run: its message loop and who answers
// the message boxes. Objects that must outlive the run but that the run does
// not call (a display, the window mirroring the model) stay in `keep`.
struct Backend {
  std::unique_ptr<EventLoop> loop;
  std::unique_ptr<MessageBoxAnswerer> answerer;
  std::vector<std::shared_ptr<void>> keep;
};

// Makes the backend over the widget set (and adds its observers to it);
// `end` ends the run with a reason for the transcript and a status.
using BackendFactory =
    std::function<Backend(WidgetSet& widgets, const HeadlessLoop::EndFunction& end)>;

// The headless backend: the virtual clock playing the script.
BackendFactory HeadlessBackend(const Script& script);

// What the process runs: a program's entry, given the platform.
using ProgramEntry = std::function<void(Platform& platform)>;

// Where a run reports: the transcript, and who hears how it ended.
struct RunReporting {
  bool transcript = true;  // on standard output; false: none
  EndingFunction ended;
};

// Runs the setup program.
[[noreturn]] void RunProgram(Machine machine, const BackendFactory& makeBackend,
                             const RunReporting& reporting = {});
// Runs another program of the product (the uninstaller) the same way.
[[noreturn]] void RunProgram(Machine machine, const BackendFactory& makeBackend,
                             const ProgramEntry& entry, const RunReporting& reporting = {});

}  // namespace lyn::sim
