// Saves what a person sees in a window's client area as a PNG file.
#pragma once

#include <FL/Fl_Window.H>

#include <string>
#include <vector>

namespace lyn::sim::fltk {

// Draws the windows with everything in them, in order, where they lie on the
// screen, into an off-screen image of the rectangle they cover (so that
// other programs' windows do not matter) and writes that image: the setup
// window alone, or with a message box over it. Throws std::runtime_error when
// the file cannot be written.
void SaveScreenshot(const std::vector<Fl_Window*>& windows, const std::string& path);

}  // namespace lyn::sim::fltk
