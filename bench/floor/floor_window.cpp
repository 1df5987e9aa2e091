// A mapped window and a 60 Hz loop for the floor programs.
#include "bench/floor/floor_window.h"

#include <chrono>
#include <cstdio>
#include <algorithm>
#include <cstdlib>
#include <string>
#include <thread>

#include "base/display_geometry.h"

FloorWindow OpenFloorWindow(const char* title) {
  FloorWindow result;
  result.display = XOpenDisplay(nullptr);
  if (result.display == nullptr) {
    std::fprintf(stderr, "%s: cannot open the display\n", title);
    std::exit(1);
  }
  const int screen = DefaultScreen(result.display);
  result.window = XCreateSimpleWindow(result.display, RootWindow(result.display, screen), 20, 20, display::kBackBufferWidth, display::kBackBufferHeight, 0, 0,
                                      BlackPixel(result.display, screen));
  XStoreName(result.display, result.window, title);
  XSelectInput(result.display, result.window, StructureNotifyMask);
  XMapWindow(result.display, result.window);
  // Drawing starts once the window is on screen.
  XEvent event;
  do {
    XNextEvent(result.display, &event);
  } while (event.type != MapNotify);
  return result;
}

int FloorSeconds(int argumentCount, char** arguments) {
  if (argumentCount < 2) return 20;
  const std::string text = arguments[1];
  if (text.empty() || text.size() > 6 || text.find_first_not_of("0123456789") != std::string::npos) {
    std::fprintf(stderr, "usage: %s [SECONDS]   (a whole number, 1 to 999999)\n", arguments[0]);
    std::exit(2);
  }
  return std::max(1, std::stoi(text));
}

void RunAtSixtyHertz(int seconds, const std::function<void()>& frame) {
  using namespace std::chrono;
  const auto start = steady_clock::now();
  const auto frameTime = duration_cast<steady_clock::duration>(duration<double>(1.0 / 60.0));
  for (long index = 0; index < 60L * seconds; ++index) {
    std::this_thread::sleep_until(start + index * frameTime);
    frame();
  }
}
