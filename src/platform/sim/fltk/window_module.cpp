#include "platform/sim/fltk/window_module.h"

extern "C" const lyn::sim::fltk::WindowModule* lyn_window_module() {
  static const lyn::sim::fltk::WindowModule module{&lyn::sim::fltk::ChooseBackend};
  return &module;
}
