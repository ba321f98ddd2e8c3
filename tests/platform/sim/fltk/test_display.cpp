#include "tests/platform/sim/fltk/test_display.h"

#include <stdlib.h>

#include <cstdlib>
#include <memory>

#include "platform/sim/fltk/private_display.h"

namespace lyn::sim::fltk::testing {

const std::string& UsePrivateDisplay() {
  // Kept to the end of the process: FLTK stays connected to it.
  static const auto display = std::make_unique<PrivateDisplay>(kScreenWidth, kScreenHeight);
  return display->Name();
}

WithoutDisplay::WithoutDisplay() {
  if (const char* display = std::getenv("DISPLAY")) saved_ = display;
  unsetenv("DISPLAY");
}

WithoutDisplay::~WithoutDisplay() {
  if (saved_) setenv("DISPLAY", saved_->c_str(), 1);
}

}  // namespace lyn::sim::fltk::testing
