// Asks the desktop's window manager to keep a window above the others.
#pragma once

#include <FL/Fl_Window.H>

namespace lyn::sim::fltk {

// The window must be shown. Without a window manager nothing changes.
void KeepAboveOthers(Fl_Window& window);

}  // namespace lyn::sim::fltk
