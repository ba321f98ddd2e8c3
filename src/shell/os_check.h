// The operating-system check of the setup window's load: names the running
// system on the licence page, asks before installing on an untested system
// and refuses the others.
#pragma once

#include <string>

#include "platform/api/platform.h"
#include "sysinfo/operating_system.h"

namespace lyn {

enum class CheckOutcome {
  None,        // Windows XP, Vista or 7, 32-bit: no message
  Untested64,  // a 64-bit system: the 64-bit question
  Untested,    // Windows 2000 Professional: the question
  Invalid,     // every other system: refused
};

CheckOutcome ClassifySystem(const OperatingSystem::OSInfo& info, Boolean16 is64BitOS);

// The title of the message box an outcome shows ("none" when it shows none).
std::string CheckTitle(CheckOutcome outcome);

// Runs the check, which may end the process, and returns the caption that
// lblClientOS shows afterwards. Its message boxes are owned by `owner`, the
// setup window, which is not shown yet.
std::string OperatingSystemCheck(Platform& platform, win::HWND owner);

}  // namespace lyn
