// The OpenGL engine on a real X11 window (a private Xvfb server): the picture is presented fitted
// into the window, centred, 4:3, with black bars, and follows the window when it is resized.
#include "ge/graphic_engine_gl.h"

#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include "ge/graphic_engine_adapter.h"
#include "ge/quad.h"
#include "tests/ge/gl_test_support.h"
#include "tests/support/xvfb_display.h"

namespace {

// The window's pixel as the X server shows it.
Rgb pixel(Display* display, Window window, int x, int y) {
  XImage* image = XGetImage(display, window, x, y, 1, 1, AllPlanes, ZPixmap);
  if (image == nullptr) return {-1, -1, -1};
  const unsigned long value = XGetPixel(image, 0, 0);
  XDestroyImage(image);
  return {static_cast<int>((value >> 16) & 0xFF), static_cast<int>((value >> 8) & 0xFF), static_cast<int>(value & 0xFF)};
}

// A red frame with a white logical 4 × 4 square at the top-left.
void drawFrame(ge::ZGraphicEngineAdapter& adapter) {
  adapter.BeginFrame();
  adapter.Clear(1, 0, 0);
  ge::Quad quad;
  ge::MakeQuad(quad, 0, 0, 4, 4);
  adapter.SetTexture(200);
  adapter.DrawQuad(&quad);
  adapter.EndFrame();
}

TEST(GraphicEngineGLWindow, PictureIsFittedCentredWithBlackBarsAndFollowsResizes) {
  XvfbDisplay server;
  ASSERT_EQ("", server.Start(1280, 1024));
  Display* display = XOpenDisplay(nullptr);
  ASSERT_NE(nullptr, display);
  const Window window = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1000, 600, 0, 0, 0);
  XMapWindow(display, window);
  XSync(display, False);
  {
    ge::GraphicEngineGL engine(window, true);
    ge::ZGraphicEngineAdapter adapter(&engine);
    drawFrame(adapter);
    XSync(display, False);
    const Rgb black{0, 0, 0}, white{255, 255, 255}, red{255, 0, 0};
    // 1000 × 600 holds an 800 × 600 picture from x 100: bars of 100 each side.
    const struct {
      int x, y;
      Rgb colour;
    } wide[] = {{50, 300, black}, {99, 0, black},   {900, 300, black}, {999, 599, black}, {100, 0, white},
                {108, 8, white},  {112, 12, red},   {899, 599, red}};
    for (const auto& at : wide) EXPECT_EQ(at.colour, pixel(display, window, at.x, at.y)) << at.x << ", " << at.y;

    XResizeWindow(display, window, 640, 480);
    XSync(display, False);
    drawFrame(adapter);
    drawFrame(adapter);  // the surface takes the new size at a swap
    XSync(display, False);
    EXPECT_EQ(white, pixel(display, window, 7, 7));
    EXPECT_EQ(red, pixel(display, window, 8, 8));
    EXPECT_EQ(red, pixel(display, window, 639, 479));
    // The back buffer itself is the same 640 × 480 picture whatever the window.
    EXPECT_EQ(red, Screenshot(engine).at(8, 8));
  }
  XCloseDisplay(display);
}

}  // namespace
