// The X handle of the game's toolkit window, for the engines' own X connections.
#include "app/window_handle_x11.h"

#include <FL/Fl_Window.H>
#include <FL/x.H>

unsigned long WindowHandleForOtherConnections(Fl_Window* window) {
  const unsigned long handle = fl_xid(window);
  // A round trip: the server has carried out every request the toolkit made before it returns.
  XSync(fl_display, False);
  return handle;
}
