// user32 of the emulated machine: window classes of this process, top-level
// windows on the machine's desktop (shared by every process running on it),
// the profile's system metrics, and message boxes through the process host.
#pragma once

#include <map>
#include <string>

#include "platform/api/user32.h"
#include "platform/sim/desktop.h"
#include "platform/sim/machine/machine.h"
#include "platform/sim/process_host.h"

namespace lyn::sim {

class SimUser32 : public win::User32 {
 public:
  // The window backends register the form's own window on the same Desktop.
  SimUser32(const Machine& machine, Desktop& desktop, ProcessHost& host);

  win::WORD RegisterClassA(const win::WNDCLASSA* windowClass) override;
  win::HWND CreateWindowExA(win::DWORD exStyle, win::LPCSTR className, win::LPCSTR windowName,
                            win::DWORD style) override;
  win::BOOL EnumWindows(win::WNDENUMPROC callback, win::LPARAM param) override;
  int GetClassNameA(win::HWND window, win::LPSTR buffer, int size) override;
  int GetWindowTextA(win::HWND window, win::LPSTR buffer, int size) override;
  win::BOOL SetWindowPos(win::HWND window, win::HWND insertAfter, int x, int y, int cx, int cy,
                         win::UINT flags) override;
  int GetSystemMetrics(int index) override;
  int MessageBoxA(win::HWND owner, win::LPCSTR text, win::LPCSTR caption, win::UINT type) override;

 private:
  int CopyOut(const std::string& utf8, win::LPSTR buffer, int size) const;

  const Machine& machine_;
  Desktop& desktop_;
  ProcessHost& host_;
  std::map<std::string, win::WORD> classes_;  // by folded name
};

}  // namespace lyn::sim
