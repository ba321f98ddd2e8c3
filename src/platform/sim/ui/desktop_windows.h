// The forms' windows registered on the machine's desktop, where the other
// processes of the machine see them.
#pragma once

#include "platform/sim/desktop.h"
#include "platform/sim/ui/top_level_windows.h"

namespace lyn::sim {

class DesktopWindows final : public TopLevelWindows {
 public:
  explicit DesktopWindows(Desktop& desktop) : desktop_(desktop) {}

  win::HWND Add(const std::string& className, const std::string& caption, bool visible) override {
    return desktop_.Add(className, caption, visible);
  }
  void SetCaption(win::HWND window, const std::string& caption) override {
    desktop_.SetCaption(window, caption);
  }
  void SetVisible(win::HWND window, bool visible) override { desktop_.SetVisible(window, visible); }
  void Remove(win::HWND window) override { desktop_.Remove(window); }

 private:
  Desktop& desktop_;
};

}  // namespace lyn::sim
