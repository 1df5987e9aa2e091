// A small RGB drawing surface for the pixel-art generator: clipped pixel writes, shapes and dithering.
// All coordinates are whole pixels, top row first, so every sheet comes out the same on every run.
#pragma once

#include <cstdint>
#include <vector>

#include "ge/bmp_image.h"

namespace art {

struct Colour {
  std::uint8_t r = 0;
  std::uint8_t g = 0;
  std::uint8_t b = 0;
  friend bool operator==(const Colour&, const Colour&) = default;
};

// Pure black is the see-through colour of the "Auto" sheets; dark pixels that must stay visible use
// kInk, which is one step above it.
inline constexpr Colour kClear{0, 0, 0};
inline constexpr Colour kInk{12, 10, 16};

// Mixes two colours: weight 0 gives `from`, 256 gives `to`.
Colour Mix(Colour from, Colour to, int weight);
// Scales brightness by percent (100 unchanged), clamped to the byte range and never pure black.
Colour Shade(Colour colour, int percent);

// Threshold 0..15 of the 4 × 4 ordered-dither matrix at a pixel.
int BayerThreshold(int x, int y);

class Canvas {
 public:
  Canvas(int width, int height, Colour fill = kClear);

  int width() const { return width_; }
  int height() const { return height_; }
  bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

  Colour get(int x, int y) const;
  void set(int x, int y, Colour colour);  // ignores pixels outside
  // Ordered dither between two colours: `level` 0 is all `from`, 16 is all `to`.
  void dither(int x, int y, Colour from, Colour to, int level);

  void fillRect(int x, int y, int w, int h, Colour colour);
  void frameRect(int x, int y, int w, int h, Colour colour);
  void hline(int x0, int x1, int y, Colour colour);
  void vline(int x, int y0, int y1, Colour colour);
  void line(int x0, int y0, int x1, int y1, Colour colour);
  // Filled disc / ring around a centre given in half pixels (so 7.5 is written 15), radius in pixels.
  void disc(int centreX2, int centreY2, double radius, Colour colour);
  void ring(int centreX2, int centreY2, double outer, double inner, Colour colour);
  // Filled polygon (even-odd rule at pixel centres); points as x, y pairs.
  void polygon(const std::vector<int>& points, Colour colour);
  // A vertical gradient over a rectangle, ordered-dithered between the two ends.
  void verticalGradient(int x, int y, int w, int h, Colour top, Colour bottom);
  // Copies `source` with its pure-black pixels left out (they are see-through).
  void stamp(const Canvas& source, int x, int y);
  // Like stamp, each source pixel drawn as a `scale` × `scale` square.
  void stampScaled(const Canvas& source, int x, int y, int scale);
  // Copies every pixel of `source`, black included.
  void paste(const Canvas& source, int x, int y);
  // Draws `colour` one pixel around every non-clear pixel of the area that is itself clear.
  void outline(int x, int y, int w, int h, Colour colour);

  ge::BmpImage toImage() const;

 private:
  int width_;
  int height_;
  std::vector<Colour> pixels_;
};

}  // namespace art
