// Where a form's window is registered as a top-level window of the machine,
// so that other processes can find it by class name and caption.
#pragma once

#include <string>

#include "platform/api/win_types.h"

namespace lyn::sim {

class TopLevelWindows {
 public:
  virtual ~TopLevelWindows() = default;

  virtual win::HWND Add(const std::string& className, const std::string& caption, bool visible) = 0;
  virtual void SetCaption(win::HWND window, const std::string& caption) = 0;
  virtual void SetVisible(win::HWND window, bool visible) = 0;
  virtual void Remove(win::HWND window) = 0;
};

}  // namespace lyn::sim
