// What the window tests ask of FLTK widgets and X windows. Kept in a file of
// its own: the X headers' macros clash with names of the test framework.
#pragma once

#include <FL/Fl_Window.H>

#include <string>

namespace lyn::sim::fltk::testing {

// Whether the window asks the window manager to keep it above the others.
bool AskedToStayOnTop(Fl_Window& window);

// The text a text box view shows.
std::string TextShown(Fl_Widget& textBox);

}  // namespace lyn::sim::fltk::testing
