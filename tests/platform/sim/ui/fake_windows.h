// A desktop for widget tests: hands each form a handle of its own.
#pragma once

#include <string>

#include "platform/sim/ui/top_level_windows.h"

namespace lyn::sim::testing {

class FakeWindows final : public TopLevelWindows {
 public:
  win::HWND Add(const std::string&, const std::string&, bool) override { return ++last_; }
  void SetCaption(win::HWND, const std::string&) override {}
  void SetVisible(win::HWND, bool) override {}
  void Remove(win::HWND) override {}

 private:
  win::HWND last_ = 0x100;
};

}  // namespace lyn::sim::testing
