// Where the 640 × 480 picture lands in a window of any size: scaled to fit, centred, 4:3 kept,
// black bars on the spare sides. The graphic engine presents through it and the input engine
// maps the pointer back through the same function, so the two always agree.
#pragma once

namespace ge {

struct ViewportFit {
  int x, y, width, height;  // where the 640×480 picture lands in the window
};

// The largest 4:3 rectangle inside the window, centred; window pixels, origin top-left.
// A 640 × 480 window gives {0, 0, 640, 480}. A window with no area gives a rectangle of no
// area ({0, 0, 0, 0}), so callers mapping back must check width and height before dividing.
ViewportFit FitBackBuffer(int windowWidth, int windowHeight);

}  // namespace ge
