// A small X11 companion for the end-to-end tests: what xdotool cannot do on this machine.
//   e2e_x11 close WINDOW            asks a window to close, as a window manager's close button does
//                                   (a WM_DELETE_WINDOW message; xdotool can only destroy windows)
//   e2e_x11 shot WINDOW|root FILE   writes the window's pixels as an RGB PNG
//   e2e_x11 compare A B [X Y W H]   exit 0 when two PNG pictures are pixel for pixel the same
//                                   (within the rectangle, when given); otherwise says how many
//                                   pixels differ
//   e2e_x11 fitted SHOT REFERENCE   checks that SHOT (a full screen) shows REFERENCE (640 × 480)
//                                   scaled to fit, centred with black bars (see below)
// Windows are given as decimal or 0x-prefixed X ids.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "base/display_geometry.h"
#include "support/png_file.h"

namespace {

struct Picture {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgb;

  const std::uint8_t* at(int x, int y) const { return &rgb[(static_cast<std::size_t>(y) * width + x) * 3]; }
};

// Opens the display and reads a window id ("root", decimal or 0x-prefixed); says what went wrong.
Display* openWindow(const char* text, Window& window) {
  Display* display = XOpenDisplay(nullptr);
  char* end = nullptr;
  window = std::strcmp(text, "root") == 0 ? 0 : std::strtoul(text, &end, 0);
  if (display == nullptr || (window == 0 && end != nullptr) || (end != nullptr && *end != '\0')) {
    std::fprintf(stderr, display == nullptr ? "e2e_x11: cannot open the display\n" : "e2e_x11: not a window id: %s\n", text);
    if (display != nullptr) XCloseDisplay(display);
    return nullptr;
  }
  if (window == 0) window = DefaultRootWindow(display);
  return display;
}

int closeWindow(const char* windowText) {
  Window window = 0;
  Display* display = openWindow(windowText, window);
  if (display == nullptr) return 2;
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  XSendEvent(display, window, False, NoEventMask, &event);
  XSync(display, False);
  XCloseDisplay(display);
  return 0;
}

// Each channel of a TrueColor pixel, scaled to 8 bits, from its mask.
std::uint8_t channel(unsigned long pixel, unsigned long mask) {
  if (mask == 0) return 0;
  int shift = 0;
  while (((mask >> shift) & 1) == 0) ++shift;
  const unsigned long maximum = mask >> shift;
  return static_cast<std::uint8_t>(((pixel & mask) >> shift) * 255 / maximum);
}

int shotWindow(const char* windowText, const char* file) {
  Window window = 0;
  Display* display = openWindow(windowText, window);
  if (display == nullptr) return 2;
  XWindowAttributes attributes{};
  XImage* image = XGetWindowAttributes(display, window, &attributes) == 0
                      ? nullptr
                      : XGetImage(display, window, 0, 0, static_cast<unsigned>(attributes.width),
                                  static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
  if (image == nullptr) {
    std::fprintf(stderr, "e2e_x11: cannot read the pixels of %s\n", windowText);
    XCloseDisplay(display);
    return 2;
  }
  std::vector<std::uint8_t> rgb(static_cast<std::size_t>(attributes.width) * attributes.height * 3);
  std::size_t index = 0;
  for (int y = 0; y < attributes.height; ++y) {
    for (int x = 0; x < attributes.width; ++x) {
      const unsigned long pixel = XGetPixel(image, x, y);
      rgb[index++] = channel(pixel, image->red_mask);
      rgb[index++] = channel(pixel, image->green_mask);
      rgb[index++] = channel(pixel, image->blue_mask);
    }
  }
  XDestroyImage(image);
  XCloseDisplay(display);
  std::string error;
  if (!WritePng(file, attributes.width, attributes.height, rgb, error)) {
    std::fprintf(stderr, "e2e_x11: %s\n", error.c_str());
    return 2;
  }
  return 0;
}

bool readPicture(const char* file, Picture& picture) {
  std::string error;
  if (!ReadPng(file, picture.width, picture.height, picture.rgb, error)) {
    std::fprintf(stderr, "e2e_x11: %s\n", error.c_str());
    return false;
  }
  return true;
}

struct Area {
  int x = 0;
  int y = 0;
  int width = 1 << 30;
  int height = 1 << 30;
};

int comparePictures(const char* first, const char* second, const Area& area) {
  Picture a;
  Picture b;
  if (!readPicture(first, a) || !readPicture(second, b)) return 2;
  if (a.width != b.width || a.height != b.height) {
    std::printf("sizes differ: %d x %d and %d x %d\n", a.width, a.height, b.width, b.height);
    return 1;
  }
  long differing = 0;
  for (int y = std::max(area.y, 0); y < a.height && y - area.y < area.height; ++y) {
    for (int x = std::max(area.x, 0); x < a.width && x - area.x < area.width; ++x) {
      differing += std::memcmp(a.at(x, y), b.at(x, y), 3) != 0 ? 1 : 0;
    }
  }
  std::printf("%ld pixels differ (%d x %d)\n", differing, a.width, a.height);
  return differing == 0 ? 0 : 1;
}

// The screen must be black outside the fitted rectangle, and inside it each reference pixel must
// appear at the centre of the area it was enlarged to (nearest-pixel scaling).
int checkFitted(const char* shotFile, const char* referenceFile) {
  Picture shot;
  Picture reference;
  if (!readPicture(shotFile, shot) || !readPicture(referenceFile, reference)) return 2;
  if (reference.width <= 0 || reference.height <= 0 || shot.width <= 0 || shot.height <= 0) {
    std::printf("a picture has no pixels\n");
    return 1;
  }
  const display::Fit fit = display::FitBackBuffer(shot.width, shot.height);
  long litBarPixels = 0;
  for (int y = 0; y < shot.height; ++y) {
    for (int x = 0; x < shot.width; ++x) {
      const bool inside = x >= fit.x && x < fit.x + fit.width && y >= fit.y && y < fit.y + fit.height;
      const std::uint8_t* pixel = shot.at(x, y);
      if (!inside && (pixel[0] | pixel[1] | pixel[2]) != 0) ++litBarPixels;
    }
  }
  long mismatches = 0;
  for (int y = 0; y < reference.height; ++y) {
    for (int x = 0; x < reference.width; ++x) {
      const int shotX = fit.x + static_cast<int>((x + 0.5) * fit.width / reference.width);
      const int shotY = fit.y + static_cast<int>((y + 0.5) * fit.height / reference.height);
      if (std::memcmp(shot.at(shotX, shotY), reference.at(x, y), 3) != 0) ++mismatches;
    }
  }
  std::printf("screen %d x %d, picture at %d,%d size %d x %d; lit bar pixels %ld; picture mismatches %ld\n",
              shot.width, shot.height, fit.x, fit.y, fit.width, fit.height, litBarPixels, mismatches);
  return litBarPixels == 0 && mismatches == 0 ? 0 : 1;
}

int usage() {
  std::fprintf(stderr,
               "usage: e2e_x11 close WINDOW | shot WINDOW|root FILE.png | compare A.png B.png [X Y W H] |"
               " fitted SCREEN.png REFERENCE.png\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return usage();
  const std::string command = argv[1];
  if (command == "close" && argc == 3) return closeWindow(argv[2]);
  if (command == "shot" && argc == 4) return shotWindow(argv[2], argv[3]);
  if (command == "compare" && argc == 4) return comparePictures(argv[2], argv[3], Area{});
  if (command == "compare" && argc == 8) {
    const Area area{std::atoi(argv[4]), std::atoi(argv[5]), std::atoi(argv[6]), std::atoi(argv[7])};
    return comparePictures(argv[2], argv[3], area);
  }
  if (command == "fitted" && argc == 4) return checkFitted(argv[2], argv[3]);
  return usage();
}
