// A private X display for the tests of the window: one Xvfb per test
// process, started on first use and named in DISPLAY from then on.
#pragma once

#include <stdlib.h>

#include <memory>
#include <optional>
#include <string>

#include "platform/sim/fltk/private_display.h"

namespace lyn::sim::fltk::testing {

// The machine's default screen size, which the private display has.
constexpr int kScreenWidth = 1024;
constexpr int kScreenHeight = 768;

// Starts the display if this process has none yet. It is kept to the end of
// the process: FLTK stays connected to it.
inline void UsePrivateDisplay() {
  static const auto display = std::make_unique<PrivateDisplay>(kScreenWidth, kScreenHeight);
}

// Leaves DISPLAY unset while it lives, for processes started meanwhile.
struct WithoutDisplay {
  WithoutDisplay() {
    if (const char* display = getenv("DISPLAY")) saved = display;
    unsetenv("DISPLAY");
  }
  ~WithoutDisplay() {
    if (saved) {
      setenv("DISPLAY", saved->c_str(), 1);
    } else {
      unsetenv("DISPLAY");
    }
  }

  std::optional<std::string> saved;
};

}  // namespace lyn::sim::fltk::testing
