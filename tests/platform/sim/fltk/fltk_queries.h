// What the window tests ask of FLTK widgets and X windows. Kept in a file of
// its own: the X headers' macros clash with names of the test framework.
#pragma once

#include <FL/Fl_Widget.H>
#include <FL/Fl_Window.H>

#include <optional>
#include <string>

namespace lyn::sim::fltk::testing {

// Whether the window asks the window manager to keep it above the others.
bool AskedToStayOnTop(Fl_Window& window);

// The text a text box view shows; nothing when the widget is no text box.
std::optional<std::string> TextShown(Fl_Widget& widget);

// A window of another process on this process's display.
struct TopLevelWindow {
  int x = 0, y = 0, width = 0, height = 0;
  bool staysOnTop = false;
};

// The mapped top-level window with this title, waiting for it up to the
// given number of seconds; nothing when none appears.
std::optional<TopLevelWindow> WaitForTopLevelWindow(const std::string& title, int seconds);

}  // namespace lyn::sim::fltk::testing
