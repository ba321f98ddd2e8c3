#include "tests/platform/sim/fltk/fltk_queries.h"

#include <FL/Fl_Text_Display.H>
#include <FL/x.H>
#include <X11/Xatom.h>

#include <chrono>
#include <cstdlib>
#include <memory>
#include <thread>

namespace lyn::sim::fltk::testing {

namespace {

bool AskedToStayOnTop(::Window window) {
  const Atom state = XInternAtom(fl_display, "_NET_WM_STATE", False);
  const Atom above = XInternAtom(fl_display, "_NET_WM_STATE_ABOVE", False);
  Atom type = 0;
  int format = 0;
  unsigned long count = 0;
  unsigned long after = 0;
  unsigned char* data = nullptr;
  XGetWindowProperty(fl_display, window, state, 0, 16, False, XA_ATOM, &type, &format, &count,
                     &after, &data);
  bool found = false;
  for (unsigned long i = 0; i < count; ++i) {
    found = found || reinterpret_cast<Atom*>(data)[i] == above;
  }
  if (data != nullptr) XFree(data);
  return found;
}

std::optional<TopLevelWindow> FindTopLevelWindow(const std::string& title) {
  ::Window root = 0;
  ::Window parent = 0;
  ::Window* children = nullptr;
  unsigned int count = 0;
  if (!XQueryTree(fl_display, RootWindow(fl_display, fl_screen), &root, &parent, &children,
                  &count)) {
    return std::nullopt;
  }
  std::optional<TopLevelWindow> found;
  for (unsigned int i = 0; i < count && !found; ++i) {
    char* name = nullptr;
    XWindowAttributes attributes{};
    if (XFetchName(fl_display, children[i], &name) && name != nullptr && title == name &&
        XGetWindowAttributes(fl_display, children[i], &attributes) &&
        attributes.map_state == IsViewable) {
      found = TopLevelWindow{attributes.x, attributes.y, attributes.width, attributes.height,
                             AskedToStayOnTop(children[i])};
    }
    if (name != nullptr) XFree(name);
  }
  if (children != nullptr) XFree(children);
  return found;
}

}  // namespace

bool AskedToStayOnTop(Fl_Window& window) {
  return AskedToStayOnTop(fl_xid(&window));
}

std::optional<TopLevelWindow> WaitForTopLevelWindow(const std::string& title, int seconds) {
  fl_open_display();
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
  while (true) {
    if (auto window = FindTopLevelWindow(title)) return window;
    if (std::chrono::steady_clock::now() >= deadline) return std::nullopt;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
}

std::optional<std::string> TextShown(Fl_Widget& widget) {
  auto* display = dynamic_cast<Fl_Text_Display*>(&widget);
  if (display == nullptr || display->buffer() == nullptr) return std::nullopt;
  const std::unique_ptr<char, decltype(&std::free)> text(display->buffer()->text(), &std::free);
  return std::string(text.get());
}

}  // namespace lyn::sim::fltk::testing
