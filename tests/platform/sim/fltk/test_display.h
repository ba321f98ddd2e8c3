// A private X display for the tests of the window: one Xvfb per test
// process, started on first use and named in DISPLAY from then on.
#pragma once

#include <optional>
#include <string>

namespace lyn::sim::fltk::testing {

// The machine's default screen size, which the private display has.
constexpr int kScreenWidth = 1024;
constexpr int kScreenHeight = 768;

// Starts the display if this process has none yet; returns its name.
const std::string& UsePrivateDisplay();

// Leaves DISPLAY unset while it lives, for processes started meanwhile.
class WithoutDisplay {
 public:
  WithoutDisplay();
  ~WithoutDisplay();
  WithoutDisplay(const WithoutDisplay&) = delete;
  WithoutDisplay& operator=(const WithoutDisplay&) = delete;

 private:
  std::optional<std::string> saved_;
};

}  // namespace lyn::sim::fltk::testing
