// The OpenGL engine on a real X11 window (a private Xvfb server): the picture is presented fitted
// into the window, centred, 4:3, with black bars, and follows the window when it is resized.
#include "ge/graphic_engine_gl.h"

#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "ge/graphic_engine_adapter.h"
#include "ge/quad.h"
#include "tests/ge/gl_test_support.h"

extern char** environ;

namespace {

// Starts Xvfb on a display number it picks itself (-displayfd) and stops it at the end.
class PrivateXServer {
 public:
  bool start() {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) return false;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    // The read end is closed first: it may itself be descriptor 3.
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], 3);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", 0x1 /* O_WRONLY */, 0);
    const char* arguments[] = {"Xvfb", "-displayfd", "3", "-noreset", "-nolisten", "tcp", "-screen", "0", "1280x1024x24",
                               nullptr};
    const int spawned = posix_spawnp(&pid, "Xvfb", &actions, nullptr, const_cast<char**>(arguments), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    if (spawned != 0) {
      close(pipeEnds[0]);
      pid = 0;
      return false;
    }
    // Xvfb writes the display number once it accepts connections.
    char number[16] = {};
    std::size_t length = 0;
    while (length + 1 < sizeof number) {
      const ssize_t got = read(pipeEnds[0], number + length, 1);
      if (got <= 0 || number[length] == '\n') break;
      ++length;
    }
    close(pipeEnds[0]);
    number[length] = '\0';
    if (length == 0) return false;
    name = std::string(":") + number;
    return true;
  }

  void stop() {
    if (pid <= 0) return;
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    pid = 0;
  }

  std::string name;

 private:
  pid_t pid = 0;
};

class GraphicEngineGLWindowTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    server = new PrivateXServer;
    if (!server->start()) return;
    setenv("DISPLAY", server->name.c_str(), 1);
    display = XOpenDisplay(server->name.c_str());
  }

  static void TearDownTestSuite() {
    if (display != nullptr) XCloseDisplay(display);
    display = nullptr;
    server->stop();
    delete server;
    server = nullptr;
  }

  void SetUp() override { ASSERT_NE(nullptr, display) << "Xvfb did not start (display \"" << server->name << "\")"; }

  Window openWindow(int width, int height) {
    const int screen = DefaultScreen(display);
    const Window window = XCreateSimpleWindow(display, RootWindow(display, screen), 0, 0,
                                              static_cast<unsigned>(width), static_cast<unsigned>(height), 0,
                                              WhitePixel(display, screen), WhitePixel(display, screen));
    XMapWindow(display, window);
    XSync(display, False);
    return window;
  }

  // The window's pixel as the X server shows it.
  Rgb pixel(Window window, int x, int y) {
    XImage* image = XGetImage(display, window, x, y, 1, 1, AllPlanes, ZPixmap);
    if (image == nullptr) return {-1, -1, -1};
    const unsigned long value = XGetPixel(image, 0, 0);
    XDestroyImage(image);
    return {static_cast<int>((value >> 16) & 0xFF), static_cast<int>((value >> 8) & 0xFF),
            static_cast<int>(value & 0xFF)};
  }

  // A red frame with a white logical 4 × 4 square at the top-left.
  static void drawFrame(ge::ZGraphicEngineAdapter& adapter) {
    adapter.BeginFrame();
    adapter.Clear(1, 0, 0);
    ge::Quad quad;
    ge::MakeQuad(quad, 0, 0, 4, 4);
    adapter.SetTexture(200);
    adapter.DrawQuad(&quad);
    adapter.EndFrame();
  }

  static PrivateXServer* server;
  static Display* display;
};

PrivateXServer* GraphicEngineGLWindowTest::server = nullptr;
Display* GraphicEngineGLWindowTest::display = nullptr;

TEST_F(GraphicEngineGLWindowTest, PictureIsFittedCentredWithBlackBarsAndFollowsResizes) {
  const Window window = openWindow(1000, 600);
  ge::GraphicEngineGL engine(window, true);
  ge::ZGraphicEngineAdapter adapter(&engine);
  drawFrame(adapter);
  XSync(display, False);

  // 1000 × 600 holds an 800 × 600 picture from x 100: bars of 100 each side.
  EXPECT_EQ((Rgb{0, 0, 0}), pixel(window, 50, 300));
  EXPECT_EQ((Rgb{0, 0, 0}), pixel(window, 99, 0));
  EXPECT_EQ((Rgb{0, 0, 0}), pixel(window, 900, 300));
  EXPECT_EQ((Rgb{0, 0, 0}), pixel(window, 999, 599));
  EXPECT_EQ((Rgb{255, 255, 255}), pixel(window, 100, 0));   // the square, picture top-left
  EXPECT_EQ((Rgb{255, 255, 255}), pixel(window, 108, 8));
  EXPECT_EQ((Rgb{255, 0, 0}), pixel(window, 112, 12));
  EXPECT_EQ((Rgb{255, 0, 0}), pixel(window, 500, 300));
  EXPECT_EQ((Rgb{255, 0, 0}), pixel(window, 899, 599));    // the picture's bottom row is shown

  XResizeWindow(display, window, 640, 480);
  XSync(display, False);
  drawFrame(adapter);
  drawFrame(adapter);  // the surface takes the new size at a swap
  XSync(display, False);
  EXPECT_EQ((Rgb{255, 255, 255}), pixel(window, 0, 0));
  EXPECT_EQ((Rgb{255, 255, 255}), pixel(window, 7, 7));
  EXPECT_EQ((Rgb{255, 0, 0}), pixel(window, 8, 8));
  EXPECT_EQ((Rgb{255, 0, 0}), pixel(window, 639, 479));

  // The back buffer itself is the same 640 × 480 picture whatever the window.
  const Screenshot shot(engine);
  EXPECT_EQ((Rgb{255, 255, 255}), shot.at(0, 0));
  EXPECT_EQ((Rgb{255, 0, 0}), shot.at(8, 8));
}

}  // namespace
