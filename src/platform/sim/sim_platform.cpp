#include "platform/sim/sim_platform.h"

namespace lyn::sim {

SimPlatform::SimPlatform(Machine machine, ProcessHost& host)
    : machine_(std::move(machine)),
      desktop_(machine_),
      kernel32_(machine_, host),
      user32_(machine_, desktop_, host),
      version_(machine_),
      shell32_(machine_),
      setupapi_(machine_),
      advapi32Security_(machine_, kernel32_),
      windows_(desktop_),
      widgets_(windows_),
      registry_(machine_),
      com_(machine_),
      library_(machine_, kernel32_),
      platform_{kernel32_, user32_,           version_,  shell32_, setupapi_,
                widgets_,  advapi32Security_, registry_, com_,     library_} {}

}  // namespace lyn::sim
