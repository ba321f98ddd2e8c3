// The window part of lynsim, built as a module of its own that lynsim loads
// only when it may show a window: a headless run starts without FLTK, X11
// and the libraries they bring, which weigh on every short run.
#pragma once

#include "platform/sim/fltk/fltk_backend.h"

namespace lyn::sim::fltk {

// The module's file, beside the lynsim executable, and the name of its entry.
constexpr const char* kWindowModuleFile = "lynsim-window.so";
constexpr const char* kWindowModuleEntry = "lyn_window_module";

// What the module offers.
struct WindowModule {
  decltype(&ChooseBackend) chooseBackend;
};

}  // namespace lyn::sim::fltk

// The module's entry, looked up by the name kWindowModuleEntry.
extern "C" const lyn::sim::fltk::WindowModule* lyn_window_module();
