// The process entry of LYNSetup.exe: the real platform built, then the
// program started as on the emulated machine. The command line is ignored.
#include <exception>

#include "platform/win32/win32_platform.h"
#include "platform/win32/win_sdk.h"
#include "shell/chk_previous_instance.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  static lyn::win32::Win32Platform platform;
  try {
    lyn::ChkPreviousInstance::Main(platform.platform());
  } catch (const std::exception&) {
    ::ExitProcess(1);
  }
  return 0;
}
