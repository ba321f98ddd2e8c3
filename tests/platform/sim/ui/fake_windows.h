// A desktop for widget tests: keeps the windows registered by forms.
#pragma once

#include <map>
#include <string>

#include "platform/sim/ui/top_level_windows.h"

namespace lyn::sim::testing {

struct FakeWindow {
  std::string className;
  std::string caption;
  bool visible = false;
};

class FakeWindows final : public TopLevelWindows {
 public:
  win::HWND Add(const std::string& className, const std::string& caption, bool visible) override {
    windows[++last] = {className, caption, visible};
    return last;
  }
  void SetCaption(win::HWND window, const std::string& caption) override {
    windows.at(window).caption = caption;
  }
  void SetVisible(win::HWND window, bool visible) override { windows.at(window).visible = visible; }
  void Remove(win::HWND window) override { windows.erase(window); }

  std::map<win::HWND, FakeWindow> windows;
  win::HWND last = 0x100;
};

}  // namespace lyn::sim::testing
