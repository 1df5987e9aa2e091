// The game window's handle as the engines get it: every request the engines make about it on
// their own X connections finds the window, at once after it is shown.
#include "app/window_handle_x11.h"

#include <FL/Fl.H>
#include <FL/Fl_Window.H>
#include <gtest/gtest.h>
// After GoogleTest: Xlib defines macros (None, Bool) that its headers use as names.
#include <FL/x.H>
#include <X11/Xlib.h>

#include <string>

#include "tests/support/xvfb_display.h"

namespace {

Display* engineConnection = nullptr;
int engineConnectionErrors = 0;

int countEngineConnectionErrors(Display* display, XErrorEvent*) {
  if (display == engineConnection) ++engineConnectionErrors;
  return 0;
}

TEST(WindowHandleX11, EngineConnectionFindsTheWindowRightAfterItIsShownAfterTheStartupQuestion) {
  XvfbDisplay server;
  ASSERT_EQ("", server.Start(1024, 768));
  fl_open_display();

  // The start-up question is a window shown and hidden before the game's: the toolkit has then
  // learnt all it asks the server once, and shows the next window without a round trip.
  Fl_Window question(0, 0, 200, 80, "Fullscreen?");
  question.end();
  question.show();
  Fl::check();
  question.hide();
  Fl::check();

  Fl_Window game(0, 10, 640, 480, "Varnelle");
  game.end();
  game.show();
  game.position(20, 20);
  const unsigned long handle = WindowHandleForOtherConnections(&game);

  engineConnection = XOpenDisplay(nullptr);
  ASSERT_NE(nullptr, engineConnection);
  const XErrorHandler toolkitHandler = XSetErrorHandler(countEngineConnectionErrors);
  // What the graphic engine asks first: the window's size changes.
  XSelectInput(engineConnection, handle, StructureNotifyMask);
  XWindowAttributes attributes{};
  const Status found = XGetWindowAttributes(engineConnection, handle, &attributes);
  XSync(engineConnection, False);
  XSetErrorHandler(toolkitHandler);
  XCloseDisplay(engineConnection);
  engineConnection = nullptr;

  EXPECT_EQ(0, engineConnectionErrors);
  ASSERT_NE(0, found);
  EXPECT_EQ(640, attributes.width);
  EXPECT_EQ(480, attributes.height);
  EXPECT_EQ(StructureNotifyMask, attributes.your_event_mask);
  game.hide();
  Fl::check();
}

}  // namespace
