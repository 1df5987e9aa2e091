// The OpenGL engine on a real X11 window (a private Xvfb server): the picture is presented fitted
// into the window, centred, 4:3, with black bars, and follows the window when it is resized; a
// window of the picture's own size shows exactly the pictures drawn without a window.
#include "ge/graphic_engine_gl.h"

#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

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

// A plain window at the screen's top-left, mapped, and known to the server before the engine asks.
Window mappedWindow(Display* display, unsigned width, unsigned height) {
  const Window window = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, width, height, 0, 0, 0);
  XMapWindow(display, window);
  XSync(display, False);
  return window;
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
  const Window window = mappedWindow(display, 1000, 600);
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

// Frames whose canvas is translucent in places, so that each picture also shows the ones before it.
void drawTranslucentFrame(ge::ZGraphicEngineAdapter& adapter, int frame) {
  const float step = static_cast<float>(frame);
  adapter.BeginFrame();
  adapter.Clear(0.25f * step, 0.5f, 1.0f - 0.2f * step);
  ge::Quad quad;
  ge::MakeQuad(quad, 10 * step, 20, 200, 150);
  ge::TintQuad(quad, 1.0f, 0.3f * step, 0.1f, 0.35f + 0.1f * step);
  adapter.SetTexture(200);
  adapter.DrawQuad(&quad);
  adapter.EndFrame();
}

std::vector<std::uint8_t> backBuffer(const ge::GraphicEngineGL& engine) {
  std::vector<std::uint8_t> rgb;
  engine.ReadBackBuffer(rgb);
  return rgb;
}

// The window's whole picture, R G B, top row first.
std::vector<std::uint8_t> windowPixels(Display* display, Window window, int width, int height) {
  XImage* image = XGetImage(display, window, 0, 0, static_cast<unsigned>(width), static_cast<unsigned>(height),
                            AllPlanes, ZPixmap);
  std::vector<std::uint8_t> rgb;
  if (image == nullptr) return rgb;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const unsigned long value = XGetPixel(image, x, y);
      for (const int shift : {16, 8, 0}) rgb.push_back(static_cast<std::uint8_t>((value >> shift) & 0xFF));
    }
  }
  XDestroyImage(image);
  return rgb;
}

// The back buffers of a fresh engine without a window after each of the translucent frames.
std::vector<std::vector<std::uint8_t>> headlessPictures(int frames) {
  ge::GraphicEngineGL headless(ge::GraphicEngineGL::Headless{});
  ge::ZGraphicEngineAdapter adapter(&headless);
  std::vector<std::vector<std::uint8_t>> pictures;
  for (int frame = 0; frame < frames; ++frame) {
    drawTranslucentFrame(adapter, frame);
    pictures.push_back(backBuffer(headless));
  }
  return pictures;
}

// A 640 × 480 window on a server started with `serverOptions`: what it showed and what the engine
// read back after each translucent frame, and how the engine presented.
struct WindowRun {
  std::vector<std::vector<std::uint8_t>> shown;
  std::vector<std::vector<std::uint8_t>> read;
  bool halfSize = false;
  bool sharedMemory = false;
};

WindowRun runOnPictureSizedWindow(const std::vector<std::string>& serverOptions, int frames) {
  WindowRun run;
  XvfbDisplay server;
  EXPECT_EQ("", server.Start(1024, 768, serverOptions));
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    ADD_FAILURE() << "no display";
    return run;
  }
  const Window window = mappedWindow(display, 640, 480);
  {
    ge::GraphicEngineGL engine(window, true);
    run.halfSize = engine.BackBufferAtHalfSize();
    run.sharedMemory = engine.PresentsThroughSharedMemory();
    ge::ZGraphicEngineAdapter adapter(&engine);
    for (int frame = 0; frame < frames; ++frame) {
      drawTranslucentFrame(adapter, frame);
      XSync(display, False);
      run.shown.push_back(windowPixels(display, window, 640, 480));
      run.read.push_back(backBuffer(engine));
    }
  }
  XCloseDisplay(display);
  return run;
}

void expectHeadlessPictures(const WindowRun& run, int frames) {
  const std::vector<std::vector<std::uint8_t>> expected = headlessPictures(frames);
  ASSERT_EQ(expected.size(), run.shown.size());
  for (std::size_t frame = 0; frame < expected.size(); ++frame) {
    EXPECT_TRUE(expected[frame] == run.shown[frame]) << "the window differs at frame " << frame;
    EXPECT_TRUE(expected[frame] == run.read[frame]) << "the read-back differs at frame " << frame;
  }
  // The frames do overlay: the last picture still holds some of the first frame's colour.
  EXPECT_NE(run.shown.front(), run.shown.back());
}

// A window of exactly 640 × 480 keeps the back buffer at half size and enlarges it on the CPU; it
// must still show, frame after frame, what the engine draws without any window, translucent
// overlays of earlier frames included.
TEST(GraphicEngineGLWindow, WindowOfThePicturesSizeShowsTheHeadlessPicturesFrameAfterFrame) {
  constexpr int kFrames = 5;
  const WindowRun run = runOnPictureSizedWindow({}, kFrames);
  EXPECT_TRUE(run.halfSize);
  EXPECT_TRUE(run.sharedMemory);
  expectHeadlessPictures(run, kFrames);
}

// A server without shared-memory images (as a remote display is) gets the same pictures by XPutImage.
TEST(GraphicEngineGLWindow, WithoutSharedMemoryTheWindowGetsTheSamePicturesThroughPutImage) {
  constexpr int kFrames = 5;
  const WindowRun run = runOnPictureSizedWindow({"-extension", "MIT-SHM"}, kFrames);
  EXPECT_TRUE(run.halfSize);
  EXPECT_FALSE(run.sharedMemory);
  expectHeadlessPictures(run, kFrames);
}

// Resizing the window ends the half-size back buffer: the full-size one starts from black (the
// resized surface has lost its pixels anyway) and is fitted into the window.
TEST(GraphicEngineGLWindow, AResizeLeavesHalfSizeAndStartsTheFittedPictureFromBlack) {
  constexpr int kFrames = 3;
  XvfbDisplay server;
  ASSERT_EQ("", server.Start(1280, 1024));
  Display* display = XOpenDisplay(nullptr);
  ASSERT_NE(nullptr, display);
  const Window window = mappedWindow(display, 640, 480);
  std::vector<std::uint8_t> read;
  Rgb bar{-1, -1, -1}, middle{-1, -1, -1};
  {
    ge::GraphicEngineGL engine(window, true);
    ASSERT_TRUE(engine.BackBufferAtHalfSize());
    ge::ZGraphicEngineAdapter adapter(&engine);
    for (int frame = 0; frame < kFrames; ++frame) drawTranslucentFrame(adapter, frame);
    XResizeWindow(display, window, 1000, 600);
    XSync(display, False);
    for (int frame = 0; frame < kFrames; ++frame) drawTranslucentFrame(adapter, frame);
    EXPECT_FALSE(engine.BackBufferAtHalfSize());
    XSync(display, False);
    read = backBuffer(engine);
    bar = pixel(display, window, 50, 300);
    middle = pixel(display, window, 500, 300);  // back-buffer pixel (320, 240)
  }
  XCloseDisplay(display);
  const std::vector<std::uint8_t> expected = headlessPictures(kFrames).back();
  EXPECT_TRUE(expected == read) << "the picture after the resize is not the one of its own frames alone";
  EXPECT_EQ((Rgb{0, 0, 0}), bar);
  const std::size_t at = (240u * 640u + 320u) * 3u;
  EXPECT_EQ((Rgb{expected[at], expected[at + 1], expected[at + 2]}), middle);
}

}  // namespace
