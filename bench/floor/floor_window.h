// The floor programs' shared parts: a mapped 640 × 480 X window and a 60 Hz loop that runs for
// the seconds given on the command line.
#pragma once

#include <X11/Xlib.h>

#include <functional>

struct FloorWindow {
  Display* display = nullptr;
  Window window = 0;
};

// Opens the display named by DISPLAY and maps a 640 × 480 window on it; ends the program with a
// message when it cannot.
FloorWindow OpenFloorWindow(const char* title);

// The seconds to run from the command line (argv[1], default 20); ends the program on a bad value.
int FloorSeconds(int argumentCount, char** arguments);

// Calls `frame` 60 times a second, each frame started at its own deadline, for `seconds`.
void RunAtSixtyHertz(int seconds, const std::function<void()>& frame);
