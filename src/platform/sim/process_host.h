// What the emulated machine's libraries need from the process that runs the
// program on it: the window system's modal message boxes, the topmost flag of
// a window, and ending the process. The runner of `lynsim run` provides it,
// backed by the headless widgets or the FLTK window; unit tests provide their
// own.
#pragma once

#include <string>

#include "platform/api/win_types.h"

namespace lyn::sim {

class ProcessHost {
 public:
  virtual ~ProcessHost() = default;

  // A modal message box owned by the window `owner` (0: none); text and
  // caption in UTF-8. Returns IDOK, IDYES or IDNO.
  virtual int MessageBox(win::HWND owner, const std::string& text, const std::string& caption,
                         win::UINT type) = 0;
  // SetWindowPos with HWND_TOPMOST on one of the process's windows.
  virtual void SetTopmost(win::HWND window) = 0;
  // Ends the process at once: no handler runs after this.
  [[noreturn]] virtual void EndProcess(win::UINT exitCode) = 0;
};

}  // namespace lyn::sim
