#include "tests/platform/sim/fltk/fltk_queries.h"

#include <FL/Fl_Text_Display.H>
#include <FL/x.H>
#include <X11/Xatom.h>

#include <cstdlib>
#include <memory>

namespace lyn::sim::fltk::testing {

bool AskedToStayOnTop(Fl_Window& window) {
  const Atom state = XInternAtom(fl_display, "_NET_WM_STATE", False);
  const Atom above = XInternAtom(fl_display, "_NET_WM_STATE_ABOVE", False);
  Atom type = 0;
  int format = 0;
  unsigned long count = 0;
  unsigned long after = 0;
  unsigned char* data = nullptr;
  XGetWindowProperty(fl_display, fl_xid(&window), state, 0, 16, False, XA_ATOM, &type, &format,
                     &count, &after, &data);
  bool found = false;
  for (unsigned long i = 0; i < count; ++i) {
    found = found || reinterpret_cast<Atom*>(data)[i] == above;
  }
  if (data != nullptr) XFree(data);
  return found;
}

std::string TextShown(Fl_Widget& textBox) {
  const std::unique_ptr<char, decltype(&std::free)> text(
      dynamic_cast<Fl_Text_Display&>(textBox).buffer()->text(), &std::free);
  return text.get();
}

}  // namespace lyn::sim::fltk::testing
