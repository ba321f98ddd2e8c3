// Saves what a person sees in a window's client area as a PNG file.
#pragma once

#include <FL/Fl_Window.H>

#include <string>

namespace lyn::sim::fltk {

// Draws the window with everything in it into an off-screen image (so that
// other windows covering it do not matter) and writes that image. Throws
// std::runtime_error when the file cannot be written.
void SaveScreenshot(Fl_Window& window, const std::string& path);

}  // namespace lyn::sim::fltk
