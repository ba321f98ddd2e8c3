// ChkPreviousInstance: the program's start-up. Refuses to run beside another
// copy of the setup program, otherwise shows the setup window and runs its
// message loop.
#pragma once

#include <string>

#include "common/module_state.h"
#include "platform/api/platform.h"

namespace lyn::ChkPreviousInstance {

// The process entry of the program's own logic.
void Main(Platform& platform);

bool IsPreviousInstance(Platform& platform);
win::BOOL LYN_CALLBACK EnumWindowsProc(win::HWND window, win::LPARAM param);

}  // namespace lyn::ChkPreviousInstance
