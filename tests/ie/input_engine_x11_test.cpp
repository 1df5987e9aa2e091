// The X11 input engine against a private Xvfb, driven by xdotool: buttons, pointer, keys, the
// click latch and the fatal errors.
#include "ie/input_engine_x11.h"

#include <gtest/gtest.h>
#include <unistd.h>
// After GoogleTest: Xlib defines macros (None, Bool) that its headers use as names.
#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "ie/button_press_log.h"
#include "tests/support/xvfb_display.h"

namespace {

constexpr int kLeft = 0;
constexpr int kRight = 1;
constexpr int kMiddle = 2;
constexpr int kScanA = 0x1E;
constexpr int kScanEscape = 0x01;
constexpr int kScanUp = 0xC8;
constexpr int kScanRightControl = 0x9D;

// A bare top-level window on its own connection, placed where asked (there is no window manager).
Window createWindow(Display* display, int x, int y, int width, int height) {
  const Window window = XCreateSimpleWindow(display, DefaultRootWindow(display), x, y,
                                            static_cast<unsigned>(width), static_cast<unsigned>(height), 0, 0, 0);
  XMapWindow(display, window);
  XSync(display, False);
  return window;
}

class InputEngineX11 : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string problem = server.Start(1600, 1200);
    ASSERT_EQ("", problem);
    display = XOpenDisplay(nullptr);
    ASSERT_NE(nullptr, display);
    std::vector<ie::RecordedPress> forgotten;
    ie::TakeButtonPresses(forgotten);
  }

  void TearDown() override {
    if (display != nullptr) XCloseDisplay(display);
  }

  // xdotool closes its connection before it exits, so the server has acted on it by then.
  static void Xdotool(const std::vector<std::string>& arguments) {
    std::vector<std::string> command = {"xdotool"};
    command.insert(command.end(), arguments.begin(), arguments.end());
    ASSERT_EQ(0, RunProgram(command));
  }

  XvfbDisplay server;
  Display* display = nullptr;
};

// What the frames make of the states (first frame, held, out-of-range numbers, ClearKeys) is the
// shared state class's, tested through the scripted engine; here: what is read from the server.
TEST_F(InputEngineX11, ButtonsHeldBeforeTheEngineAndEachXButtonShowUnderItsOwnNumber) {
  const Window window = createWindow(display, 100, 100, 640, 480);
  Xdotool({"mousemove", "300", "250", "mousedown", "1"});
  ie::InputEngineX11 input(window);
  input.Update();
  EXPECT_TRUE(input.ButtonChanged(kLeft, false, true));
  EXPECT_EQ(200, input.MouseX());
  EXPECT_EQ(150, input.MouseY());
  input.Update();
  EXPECT_TRUE(input.ButtonChanged(kLeft, true, true));
  // X numbers the right button 3 and the middle one 2.
  Xdotool({"mouseup", "1", "mousedown", "3"});
  input.Update();
  EXPECT_TRUE(input.ButtonChanged(kLeft, true, false));
  EXPECT_TRUE(input.ButtonChanged(kRight, false, true));
  Xdotool({"mouseup", "3", "mousedown", "2"});
  input.Update();
  EXPECT_TRUE(input.ButtonChanged(kRight, true, false));
  EXPECT_TRUE(input.ButtonChanged(kMiddle, false, true));
  Xdotool({"mouseup", "2"});
  input.Update();
  EXPECT_TRUE(input.ButtonChanged(kMiddle, true, false));
}

TEST_F(InputEngineX11, TapBetweenTwoFramesIsSeenOnceWhereTheToolkitRecordedIt) {
  // Wider than 4:3, so the place goes through the same fit as the pointer.
  const Window window = createWindow(display, 0, 0, 1280, 720);
  Xdotool({"mousemove", "200", "100"});
  ie::InputEngineX11 input(window);
  input.Update();

  // Tapped at (640, 360) in the window, then the pointer went on to (200, 100); the toolkit's
  // handler recorded the press between two samples.
  Xdotool({"mousemove", "640", "360", "click", "1", "mousemove", "200", "100"});
  ie::RecordButtonPress(kLeft, 640, 360);
  input.Update();
  EXPECT_TRUE(input.ButtonChanged(kLeft, false, true));
  EXPECT_EQ(320, input.MouseX());
  EXPECT_EQ(240, input.MouseY());
  input.Update();
  EXPECT_TRUE(input.ButtonChanged(kLeft, true, false));
  EXPECT_EQ(26, input.MouseX());  // (200 − 160) × 640 / 960 = 26.7, rounded down
  EXPECT_EQ(66, input.MouseY());  // 100 × 480 / 720 = 66.7
  // The right button has a latch of its own.
  Xdotool({"click", "3"});
  ie::RecordButtonPress(kRight);
  input.Update();
  EXPECT_TRUE(input.ButtonChanged(kRight, false, true));
  EXPECT_FALSE(input.ButtonDown(kLeft));
}

// A drag begun while the game was slow to sample: the pointer is still down but has left the place
// of the press, which the toolkit recorded. The press shows there, the drag goes on from the
// pointer.
TEST_F(InputEngineX11, DragSeenLateStartsWhereTheToolkitRecordedThePress) {
  const Window window = createWindow(display, 0, 0, 640, 480);
  Xdotool({"mousemove", "10", "10"});
  ie::InputEngineX11 input(window);
  input.Update();

  Xdotool({"mousemove", "448", "136", "mousedown", "1", "mousemove", "176", "100"});
  ie::RecordButtonPress(kLeft, 448, 136);
  input.Update();
  EXPECT_TRUE(input.ButtonChanged(kLeft, false, true));
  EXPECT_EQ(448, input.MouseX());
  EXPECT_EQ(136, input.MouseY());
  input.Update();
  EXPECT_TRUE(input.ButtonChanged(kLeft, true, true));
  EXPECT_EQ(176, input.MouseX());
  EXPECT_EQ(100, input.MouseY());
  Xdotool({"mouseup", "1"});
  input.Update();
  EXPECT_TRUE(input.ButtonChanged(kLeft, true, false));
  EXPECT_EQ(176, input.MouseX());
}

// A drop followed at once by a move elsewhere, both before the next sample: the release shows
// where the toolkit saw the button go up, the pointer's place from the sample after.
TEST_F(InputEngineX11, DropFollowedAtOnceByAMoveLandsWhereTheButtonWentUp) {
  const Window window = createWindow(display, 0, 0, 640, 480);
  Xdotool({"mousemove", "448", "136", "mousedown", "1"});
  ie::InputEngineX11 input(window);
  ie::RecordButtonPress(kLeft, 448, 136);
  input.Update();
  EXPECT_TRUE(input.ButtonChanged(kLeft, false, true));

  Xdotool({"mousemove", "176", "100", "mouseup", "1", "mousemove", "600", "460"});
  ie::RecordButtonRelease(kLeft, 176, 100);
  input.Update();
  EXPECT_TRUE(input.ButtonChanged(kLeft, true, false));
  EXPECT_EQ(176, input.MouseX());
  EXPECT_EQ(100, input.MouseY());
  input.Update();
  EXPECT_EQ(600, input.MouseX());
  EXPECT_EQ(460, input.MouseY());
}

TEST_F(InputEngineX11, PointerIsMappedIntoTheBackBufferAndReadsBeyondItOutsideThePicture) {
  // A 640 × 480 window at (100, 100), then a wider one at the origin whose picture is 960 × 720
  // with bars of 160 on either side.
  const struct {
    int windowX, windowWidth, windowHeight, pointerX, pointerY, x, y;
  } cases[] = {
      {100, 640, 480, 50, 90, -50, -10}, {100, 640, 480, 99, 99, -1, -1}, {100, 640, 480, 900, 700, 800, 600},
      {0, 1280, 720, 640, 360, 320, 240}, {0, 1280, 720, 160, 0, 0, 0},   {0, 1280, 720, 1119, 719, 639, 479},
      {0, 1280, 720, 159, 10, -1, 6},     {0, 1280, 720, 0, 10, -107, 6},  // left of the picture: never 0
  };
  for (const auto& c : cases) {
    const Window window = createWindow(display, c.windowX, c.windowX, c.windowWidth, c.windowHeight);
    {
      ie::InputEngineX11 input(window);
      Xdotool({"mousemove", std::to_string(c.pointerX), std::to_string(c.pointerY)});
      input.Update();
      EXPECT_EQ(c.x, input.MouseX()) << c.pointerX << ", " << c.pointerY;
      EXPECT_EQ(c.y, input.MouseY()) << c.pointerX << ", " << c.pointerY;
    }
    XDestroyWindow(display, window);
  }
}

TEST_F(InputEngineX11, KeysAreReadByPcScanCode) {
  const Window window = createWindow(display, 0, 0, 640, 480);
  ie::InputEngineX11 input(window);
  const int scanCodes[] = {kScanA, kScanUp, kScanEscape, kScanRightControl};
  Xdotool({"keydown", "a", "keydown", "Up", "keydown", "Escape", "keydown", "Control_R"});
  input.Update();
  for (int scan : scanCodes) EXPECT_TRUE(input.KeyDown(scan)) << scan;
  Xdotool({"keyup", "a", "keyup", "Up", "keyup", "Escape", "keyup", "Control_R"});
  input.Update();
  for (int scan : scanCodes) EXPECT_FALSE(input.KeyDown(scan)) << scan;
}

using InputEngineX11DeathTest = InputEngineX11;

// The engine's fatal lines go to standard output; the death test reads the error stream.
void standardOutputToErrorStream() { dup2(STDERR_FILENO, STDOUT_FILENO); }

TEST_F(InputEngineX11DeathTest, MissingDisplayWindowOrPointerEndsTheProgramWithTheEngineLine) {
  EXPECT_EXIT(
      {
        standardOutputToErrorStream();
        unsetenv("DISPLAY");
        ie::InputEngineX11 input(1);
      },
      ::testing::ExitedWithCode(1), "IE.error: Cannot create DInput8");

  EXPECT_EXIT(
      {
        standardOutputToErrorStream();
        ie::InputEngineX11 input(0x7ffffff);
      },
      ::testing::ExitedWithCode(1), "IE.error: Cannot set cooperative level for mouse");

  // The window goes away while the game runs. Everything in the child uses its own connections.
  EXPECT_EXIT(
      {
        standardOutputToErrorStream();
        Display* own = XOpenDisplay(nullptr);
        const Window window = createWindow(own, 0, 0, 640, 480);
        ie::InputEngineX11 input(window);
        input.Update();
        XDestroyWindow(own, window);
        XSync(own, False);
        input.Update();
      },
      ::testing::ExitedWithCode(1), "IE.error: Cannot get mouse device state");
}

// The program's lost-display ending, as far as the engine can tell.
void reportWindowLost(Display* display) {
  std::fprintf(stderr, "window lost on %s\n", DisplayString(display));
  std::_Exit(7);
}

// A killed client takes the game window with it while the engine's own connection lives on: with
// a handler set, the engine ends the program through it rather than with its own line, whether it
// notices at its start or while the game runs.
TEST_F(InputEngineX11DeathTest, VanishedWindowEndsThroughTheWindowLostHandler) {
  const std::string lost = "window lost on " + std::string(DisplayString(display));
  EXPECT_EXIT(
      {
        ie::InputEngineX11::SetWindowLostHandler(reportWindowLost);
        Display* own = XOpenDisplay(nullptr);
        const Window window = createWindow(own, 0, 0, 640, 480);
        ie::InputEngineX11 input(window);
        input.Update();
        Display* killer = XOpenDisplay(nullptr);
        XKillClient(killer, window);
        XSync(killer, False);
        input.Update();
      },
      ::testing::ExitedWithCode(7), lost);
  EXPECT_EXIT(
      {
        ie::InputEngineX11::SetWindowLostHandler(reportWindowLost);
        ie::InputEngineX11 input(0x7ffffff);
      },
      ::testing::ExitedWithCode(7), lost);
}

}  // namespace
