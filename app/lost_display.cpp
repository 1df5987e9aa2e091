// The X I/O error handler: one fatal log line naming the display, then the process ends at once.
#include "app/lost_display.h"

#include <X11/Xlib.h>

#include <csignal>
#include <cstdio>

#include "base/event_log.h"
#include "ie/input_engine_x11.h"

namespace {

int endOnIoError(Display* display) {
  char text[256];
  const char* name = display != nullptr ? DisplayString(display) : nullptr;
  std::snprintf(text, sizeof text, "Lost the connection to the display %s", name != nullptr ? name : "");
  LogError("GE", text);  // never returns: Xlib would call exit() if it did
}

void endOnLostWindow(Display* display) { endOnIoError(display); }

}  // namespace

void EndOnLostDisplay() {
  // A stopped X server closes the socket: the next write to it must fail (and reach the handler
  // through Xlib) instead of killing the process with SIGPIPE.
  std::signal(SIGPIPE, SIG_IGN);
  XSetIOErrorHandler(endOnIoError);
  // A killed client takes the game window with it; the input engine may see that first.
  ie::InputEngineX11::SetWindowLostHandler(endOnLostWindow);
}
