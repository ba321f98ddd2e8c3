#include "platform/sim/user32_sim.h"

#include <algorithm>
#include <cstring>

#include "platform/sim/last_error.h"
#include "platform/sim/machine/case_fold.h"

namespace lyn::sim {
namespace {

using namespace win;

constexpr DWORD WS_VISIBLE = 0x10000000;
constexpr WORD kFirstAtom = 0xC000;

}  // namespace

SimUser32::SimUser32(const Machine& machine, Desktop& desktop, ProcessHost& host)
    : machine_(machine), desktop_(desktop), host_(host) {}

WORD SimUser32::RegisterClassA(const WNDCLASSA* windowClass) {
  if (windowClass == nullptr || windowClass->lpszClassName == nullptr ||
      *windowClass->lpszClassName == '\0') {
    return 0;
  }
  const std::string key = FoldCase(machine_.AnsiToUtf8(windowClass->lpszClassName));
  if (classes_.count(key) != 0) return 0;
  const WORD atom = static_cast<WORD>(kFirstAtom + classes_.size());
  classes_[key] = atom;
  return atom;
}

HWND SimUser32::CreateWindowExA(DWORD, LPCSTR className, LPCSTR windowName, DWORD style) {
  return Guarded(HWND{0}, [&]() -> HWND {
    if (className == nullptr) return 0;
    const std::string name = machine_.AnsiToUtf8(className);
    if (classes_.count(FoldCase(name)) == 0) return 0;
    const std::string caption = windowName != nullptr ? machine_.AnsiToUtf8(windowName) : "";
    return desktop_.Add(name, caption, (style & WS_VISIBLE) != 0);
  });
}

BOOL SimUser32::EnumWindows(WNDENUMPROC callback, LPARAM param) {
  if (callback == nullptr) return FALSE;
  std::vector<TopLevelWindow> windows;
  if (!Guarded(false, [&] {
        windows = desktop_.List();
        return true;
      })) {
    return FALSE;
  }
  for (const TopLevelWindow& window : windows) {
    if (!callback(window.handle, param)) return FALSE;
  }
  return TRUE;
}

int SimUser32::CopyOut(const std::string& utf8, LPSTR buffer, int size) const {
  if (buffer == nullptr || size <= 0) return 0;
  const std::string ansi = machine_.Utf8ToAnsi(utf8);
  const std::size_t count = std::min(ansi.size(), static_cast<std::size_t>(size - 1));
  std::memcpy(buffer, ansi.data(), count);
  buffer[count] = '\0';
  return static_cast<int>(count);
}

int SimUser32::GetClassNameA(HWND window, LPSTR buffer, int size) {
  return Guarded(0, [&]() -> int {
    const auto found = desktop_.Find(window);
    return found ? CopyOut(found->className, buffer, size) : 0;
  });
}

int SimUser32::GetWindowTextA(HWND window, LPSTR buffer, int size) {
  return Guarded(0, [&]() -> int {
    const auto found = desktop_.Find(window);
    return found ? CopyOut(found->caption, buffer, size) : 0;
  });
}

BOOL SimUser32::SetWindowPos(HWND window, HWND insertAfter, int, int, int, int, UINT) {
  return Guarded(BOOL{FALSE}, [&]() -> BOOL {
    if (!desktop_.Find(window)) return FALSE;
    if (insertAfter == HWND_TOPMOST && desktop_.IsOwn(window)) host_.SetTopmost(window);
    return TRUE;
  });
}

int SimUser32::GetSystemMetrics(int index) {
  const Profile& p = machine_.profile();
  switch (index) {
    case SM_CXSCREEN:
      return p.SM_CXSCREEN;
    case SM_CYSCREEN:
      return p.SM_CYSCREEN;
    case SM_TABLETPC:
      return p.SM_TABLETPC;
    case SM_MEDIACENTER:
      return p.SM_MEDIACENTER;
    case SM_STARTER:
      return p.SM_STARTER;
    case SM_SERVERR2:
      return p.SM_SERVERR2;
    default:
      return 0;
  }
}

int SimUser32::MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
  return host_.MessageBox(owner, text != nullptr ? machine_.AnsiToUtf8(text) : "",
                          caption != nullptr ? machine_.AnsiToUtf8(caption) : "Error", type);
}

}  // namespace lyn::sim
