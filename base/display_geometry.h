// The one place the game's display geometry lives: the 320 × 240 logical screen, its two-times
// enlargement onto the 640 × 480 back buffer, where the logical screen sits in the canvas texture,
// and how the back buffer is fitted into a window of any size and mapped back again. Graphics,
// input, the game and the shells all take their numbers from here, so that what is drawn, what is
// clicked and what is presented always agree.
#pragma once

#include <cstdint>

namespace display {

// The logical screen the game draws on: origin top-left, y downward.
inline constexpr int kLogicalWidth = 320;
inline constexpr int kLogicalHeight = 240;
// One logical pixel is kScale × kScale back-buffer pixels.
inline constexpr int kScale = 2;
inline constexpr int kBackBufferWidth = kLogicalWidth * kScale;
inline constexpr int kBackBufferHeight = kLogicalHeight * kScale;

// The canvas: the smallest power-of-two texture that holds the logical screen, with the screen
// centred in it.
constexpr int PowerOfTwoAtLeast(int value) {
  int side = 1;
  while (side < value) side *= 2;
  return side;
}
inline constexpr int kCanvasWidth = PowerOfTwoAtLeast(kLogicalWidth);
inline constexpr int kCanvasHeight = PowerOfTwoAtLeast(kLogicalHeight);
inline constexpr int kCanvasOffsetX = (kCanvasWidth - kLogicalWidth) / 2;
inline constexpr int kCanvasOffsetY = (kCanvasHeight - kLogicalHeight) / 2;

// The logical screen's rectangle in the canvas as texture coordinates (exact binary fractions).
struct TextureRect {
  float left, top, right, bottom;
};
inline constexpr TextureRect kLogicalScreenInCanvas = {
    static_cast<float>(kCanvasOffsetX) / kCanvasWidth, static_cast<float>(kCanvasOffsetY) / kCanvasHeight,
    static_cast<float>(kCanvasOffsetX + kLogicalWidth) / kCanvasWidth,
    static_cast<float>(kCanvasOffsetY + kLogicalHeight) / kCanvasHeight};

// Where the back buffer's picture lands in a window: window pixels, origin top-left.
struct Fit {
  int x, y, width, height;
};

// The largest rectangle of the back buffer's shape inside the window, centred, black bars on the
// spare sides. A back-buffer-sized window gives {0, 0, 640, 480}; a window with no area gives a
// rectangle of no area ({0, 0, 0, 0}).
constexpr Fit FitBackBuffer(int windowWidth, int windowHeight) {
  if (windowWidth <= 0 || windowHeight <= 0) return {0, 0, 0, 0};
  // 64-bit products: a huge window must not overflow the comparison of shapes.
  const long long wide = static_cast<long long>(windowWidth) * kBackBufferHeight;
  const long long tall = static_cast<long long>(windowHeight) * kBackBufferWidth;
  int width = windowWidth;
  int height = windowHeight;
  if (wide > tall) {
    // Wider than the picture: full height, bars left and right.
    width = static_cast<int>(static_cast<long long>(windowHeight) * kBackBufferWidth / kBackBufferHeight);
  } else if (wide < tall) {
    // Taller than the picture: full width, bars above and below.
    height = static_cast<int>(static_cast<long long>(windowWidth) * kBackBufferHeight / kBackBufferWidth);
  }
  return {(windowWidth - width) / 2, (windowHeight - height) / 2, width, height};
}

struct Point {
  std::int32_t x, y;
};

// A window pixel as a back-buffer pixel, through the fit: the inverse of presenting. Floor
// division, so that left of and above the picture read negative. A fit of no area leaves the
// window pixel as it is.
constexpr Point WindowToBackBuffer(const Fit& fit, int windowX, int windowY) {
  if (fit.width <= 0 || fit.height <= 0) return {windowX, windowY};
  const auto floorDivide = [](long long numerator, long long denominator) {
    const long long quotient = numerator / denominator;
    return static_cast<std::int32_t>(quotient * denominator > numerator ? quotient - 1 : quotient);
  };
  return {floorDivide(static_cast<long long>(windowX - fit.x) * kBackBufferWidth, fit.width),
          floorDivide(static_cast<long long>(windowY - fit.y) * kBackBufferHeight, fit.height)};
}

// A back-buffer coordinate on the logical screen: halved, truncating toward zero, as the game
// reads the mouse.
constexpr std::int32_t ToLogical(std::int32_t backBufferCoordinate) { return backBufferCoordinate / kScale; }
// A logical coordinate in back-buffer pixels (the top-left of its block).
constexpr std::int32_t ToBackBuffer(std::int32_t logicalCoordinate) { return logicalCoordinate * kScale; }

}  // namespace display
