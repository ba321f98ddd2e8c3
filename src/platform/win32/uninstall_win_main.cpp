// The process entry of UninstallLYN67.exe: the real platform built, then the
// uninstaller run on it as on the emulated machine. The command line is
// ignored. The exit status tells what became of the product: 0 removed or
// kept at the user's word, 1 something was left, 2 the log was refused.
#include <exception>

#include "platform/win32/win32_platform.h"
#include "platform/win32/win_sdk.h"
#include "uninstall/uninstaller.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  static lyn::win32::Win32Platform platform;
  using lyn::uninstall::UninstallOutcome;
  try {
    switch (lyn::uninstall::RunUninstall(platform.platform())) {
      case UninstallOutcome::Removed:
      case UninstallOutcome::Declined:
        return 0;
      case UninstallOutcome::PartlyLeft:
        return 1;
      case UninstallOutcome::LogRefused:
        return 2;
    }
  } catch (const std::exception&) {
    ::ExitProcess(3);
  }
  return 0;
}
