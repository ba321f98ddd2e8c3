// The emulated machine as one platform for the program: the machine, its
// desktop, the emulated system libraries and the widget set, composed and
// handed out as a lyn::Platform.
#pragma once

#include "platform/api/platform.h"
#include "platform/sim/advapi32_registry_sim.h"
#include "platform/sim/advapi32_security_sim.h"
#include "platform/sim/com_sim.h"
#include "platform/sim/desktop.h"
#include "platform/sim/kernel32_library_sim.h"
#include "platform/sim/kernel32_sim.h"
#include "platform/sim/machine/machine.h"
#include "platform/sim/process_host.h"
#include "platform/sim/setupapi_sim.h"
#include "platform/sim/shell32_sim.h"
#include "platform/sim/ui/desktop_windows.h"
#include "platform/sim/ui/widget_set.h"
#include "platform/sim/user32_sim.h"
#include "platform/sim/version_sim.h"

namespace lyn::sim {

class SimPlatform {
 public:
  // The widget set still needs its message loop (WidgetSet::SetEventLoop)
  // before the program runs.
  SimPlatform(Machine machine, ProcessHost& host);
  SimPlatform(const SimPlatform&) = delete;
  SimPlatform& operator=(const SimPlatform&) = delete;

  Platform& platform() { return platform_; }
  const Machine& machine() const { return machine_; }
  Desktop& desktop() { return desktop_; }
  WidgetSet& widgets() { return widgets_; }
  SimAdvapi32Security& advapi32Security() { return advapi32Security_; }
  // The destinations of the shell's copies that failed, in order.
  const std::vector<std::string>& notCopied() const { return shell32_.notCopied(); }

 private:
  Machine machine_;
  Desktop desktop_;
  SimKernel32 kernel32_;
  SimUser32 user32_;
  SimVersion version_;
  SimShell32 shell32_;
  SimSetupApi setupapi_;
  SimAdvapi32Security advapi32Security_;
  DesktopWindows windows_;
  WidgetSet widgets_;
  SimAdvapi32Registry registry_;
  SimCom com_;
  SimKernel32Library library_;
  Platform platform_;
};

}  // namespace lyn::sim
