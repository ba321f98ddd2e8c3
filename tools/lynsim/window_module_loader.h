// Loads lynsim's window module from where it was built or installed.
#pragma once

#include "platform/sim/fltk/window_module.h"

namespace lyn::lynsim {

// The module, loaded on the first call and kept until the process ends;
// throws std::runtime_error naming the file when it cannot be loaded.
const sim::fltk::WindowModule& LoadWindowModule();

}  // namespace lyn::lynsim
