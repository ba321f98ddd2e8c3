#include "shell/chk_previous_instance.h"

#include <algorithm>
#include <memory>

#include "shell/frm_setup.h"
#include "sysinfo/ansi_text.h"
#include "sysinfo/operating_system.h"

namespace lyn::ChkPreviousInstance {

namespace {

constexpr const char* kApplicationWindowClass = "ThunderRT6Main";

// The platform the enumeration callback reads windows through; set by Main
// before the check, as the callback receives no context of its own.
Platform* gPlatform = nullptr;

// The process's hidden application window, captioned with the application
// title: a copy running alone therefore always sees one match.
void CreateApplicationWindow(Platform& platform) {
  const win::WNDCLASSA windowClass{kApplicationWindowClass};
  platform.user32.RegisterClassA(&windowClass);
  platform.user32.CreateWindowExA(0, kApplicationWindowClass,
                                  ToAnsi(platform.kernel32, AppTitle).c_str(), 0);
}

// Reads a window text through one of the two 260-character queries.
template <typename Query>
std::string ReadWindowText(Query query) {
  char buffer[260] = {};
  const int count = query(buffer, 260);
  return std::string(buffer, static_cast<std::size_t>(std::clamp(count, 0, 260)));
}

// A start-up error nobody handles: the run-time's error box, owned by the
// window being loaded, then the end.
void EndWithRuntimeError(Platform& platform, win::HWND owner, int number) {
  const std::string text = "Run-time error '" + std::to_string(number) + "'";
  platform.user32.MessageBoxA(owner, text.c_str(), ToAnsi(platform.kernel32, AppTitle).c_str(),
                              win::MB_OK | win::MB_ICONSTOP);
  platform.kernel32.ExitProcess(static_cast<win::UINT>(number));
}

}  // namespace

void Main(Platform& platform) {
  gPlatform = &platform;
  AppTitle = "LYNSetup";
  CreateApplicationWindow(platform);
  if (IsPreviousInstance(platform)) platform.kernel32.ExitProcess(0);

  static std::unique_ptr<frmSetup> form;
  if (!form) form = std::make_unique<frmSetup>(platform);
  try {
    form->Show();
  } catch (const OperatingSystem::OSInfoError&) {
    EndWithRuntimeError(platform, form->hWnd(), OperatingSystem::OSInfoError::kNumber);
  }
  platform.widgets.RunMessageLoop();
  platform.kernel32.ExitProcess(0);
}

bool IsPreviousInstance(Platform& platform) {
  gPlatform = &platform;
  MatchCount = 0;
  platform.user32.EnumWindows(&EnumWindowsProc, 0);
  return MatchWindow != 0 && MatchCount > 1;
}

win::BOOL LYN_CALLBACK EnumWindowsProc(win::HWND window, win::LPARAM) {
  win::User32& user32 = gPlatform->user32;
  const std::string className = ReadWindowText(
      [&](char* buffer, int size) { return user32.GetClassNameA(window, buffer, size); });
  const std::string caption = ReadWindowText(
      [&](char* buffer, int size) { return user32.GetWindowTextA(window, buffer, size); });
  if (FromAnsi(gPlatform->kernel32, caption) == AppTitle && className == kApplicationWindowClass) {
    MatchWindow = window;
    ++MatchCount;
  }
  return 1;
}

}  // namespace lyn::ChkPreviousInstance
