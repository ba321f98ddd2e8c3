#include "platform/sim/fltk/always_on_top.h"

#include <FL/x.H>
#include <X11/Xatom.h>

namespace lyn::sim::fltk {

void KeepAboveOthers(Fl_Window& window) {
  if (!window.shown()) return;
  const ::Window xid = fl_xid(&window);
  Atom state = XInternAtom(fl_display, "_NET_WM_STATE", False);
  Atom above = XInternAtom(fl_display, "_NET_WM_STATE_ABOVE", False);
  // The property tells a window manager that has not yet taken the window
  // in; the message tells one that already manages it.
  XChangeProperty(fl_display, xid, state, XA_ATOM, 32, PropModeAppend,
                  reinterpret_cast<unsigned char*>(&above), 1);
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = xid;
  event.xclient.message_type = state;
  event.xclient.format = 32;
  event.xclient.data.l[0] = 1;  // _NET_WM_STATE_ADD
  event.xclient.data.l[1] = static_cast<long>(above);
  event.xclient.data.l[3] = 1;  // from a normal application
  XSendEvent(fl_display, RootWindow(fl_display, fl_screen), False,
             SubstructureRedirectMask | SubstructureNotifyMask, &event);
  XFlush(fl_display);
}

}  // namespace lyn::sim::fltk
