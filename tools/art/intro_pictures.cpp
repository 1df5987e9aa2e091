// logo.bmp and vusk.bmp, the two pictures of the intro. Both are opaque and shown on a black screen,
// so their backgrounds are black as well and only the drawing seems to fade in.
// Angles come from a table of exact values rather than from the maths library, so the pictures
// are the same bytes whatever library the tool is built with.
#include "tools/art/palette.h"
#include "tools/art/pixel_font.h"
#include "tools/art/sheets.h"

namespace art {

namespace {

// Cosine and sine of k × 30 degrees, k = 0..11.
constexpr double kHalfRootThree = 0.8660254037844386;
constexpr double kCos[12] = {1, kHalfRootThree, 0.5, 0, -0.5, -kHalfRootThree, -1, -kHalfRootThree, -0.5, 0, 0.5, kHalfRootThree};
constexpr double kSin[12] = {0, 0.5, kHalfRootThree, 1, kHalfRootThree, 0.5, 0, -0.5, -kHalfRootThree, -1, -kHalfRootThree, -0.5};

int roundToInt(double value) { return static_cast<int>(value < 0 ? value - 0.5 : value + 0.5); }

// A gear of twelve teeth around a centre given in half pixels.
void drawGear(Canvas& canvas, int centreX2, int centreY2, double radius, Colour colour) {
  const Colour light = Mix(colour, {255, 255, 255}, 80);
  const Colour dark = Shade(colour, 60);
  for (int k = 0; k < 12; ++k) {
    const double x = centreX2 / 2.0 + kCos[k] * (radius + 1.5);
    const double y = centreY2 / 2.0 + kSin[k] * (radius + 1.5);
    canvas.disc(roundToInt(2 * x), roundToInt(2 * y), 2.6, Shade(colour, 85));
  }
  canvas.ring(centreX2, centreY2, radius, radius * 0.45, colour);
  canvas.ring(centreX2, centreY2, radius, radius - 1.2, light);
  canvas.ring(centreX2, centreY2, radius * 0.45 + 1.2, radius * 0.45, dark);
  for (int k = 0; k < 12; k += 3) {  // spokes
    const int x0 = roundToInt(centreX2 / 2.0 + kCos[k] * radius * 0.45);
    const int y0 = roundToInt(centreY2 / 2.0 + kSin[k] * radius * 0.45);
    const int x1 = roundToInt(centreX2 / 2.0 + kCos[k] * (radius - 1));
    const int y1 = roundToInt(centreY2 / 2.0 + kSin[k] * (radius - 1));
    canvas.line(x0, y0, x1, y1, dark);
  }
}

// A stretch of horizontal conveyor belt, `tiles` cells long, its top-left corner at (x, y).
void drawBelt(Canvas& canvas, int x, int y, int tiles) {
  const Canvas field = DrawFieldSheet();
  for (int tile = 0; tile < tiles; ++tile) {
    for (int row = 0; row < 16; ++row) {
      for (int column = 0; column < 16; ++column) canvas.set(x + tile * 16 + column, y + row, field.get(column, 16 + row));
    }
  }
}

// Lettering with a dark rim and a drop shadow, filled with a top-to-bottom gradient.
void drawTitle(Canvas& canvas, int x, int y, const char* text, int scale, Colour top, Colour bottom) {
  Canvas letters(canvas.width(), canvas.height(), kClear);
  DrawText(letters, x + 1, y + 2, text, kInk, scale);
  Canvas face(canvas.width(), canvas.height(), kClear);
  const int height = kGlyphHeight * scale;
  DrawText(face, x, y, text, top, scale);
  for (int row = 0; row < height; ++row) {
    for (int column = 0; column < canvas.width(); ++column) {
      if (face.get(column, y + row) == kClear) continue;
      const Colour from = Mix(top, bottom, row * 256 / height);
      const Colour to = Mix(top, bottom, (row + 1) * 256 / height);
      face.dither(column, y + row, from, to, 8);
      if (row % scale == 0 && face.get(column, y + row - 1) == kClear) face.set(column, y + row, Mix(top, {255, 255, 255}, 140));
    }
  }
  face.outline(0, 0, canvas.width(), canvas.height(), kInk);
  letters.stamp(face, 0, 0);
  canvas.stamp(letters, 0, 0);
}

// A small deterministic generator for star fields and speckle.
struct Random {
  std::uint32_t state;
  int next(int bound) {
    state = state * 1664525u + 1013904223u;
    return static_cast<int>((state >> 8) % static_cast<std::uint32_t>(bound));
  }
};

}  // namespace

Canvas DrawLogo() {
  Canvas logo(100, 100, kClear);
  // The emblem: three big blocks stacked in front of a steel gear.
  drawGear(logo, 100, 76, 34.0, {120, 132, 158});
  logo.disc(100, 76, 15.0, {26, 30, 44});
  drawBelt(logo, 18, 62, 4);
  logo.stampScaled(DrawBlockTile(1), 18, 36, 2);
  logo.stampScaled(DrawBlockTile(3), 50, 36, 2);
  logo.stampScaled(DrawBlockTile(2), 34, 12, 2);
  drawTitle(logo, 3, 81, "VARNELLE", 2, {255, 226, 120}, {226, 120, 40});
  return logo;
}

Canvas DrawSplash() {
  constexpr int kSize = 200;
  constexpr int kCentreX2 = 200;  // porthole centre (100, 92), in half pixels
  constexpr int kCentreY2 = 184;
  constexpr double kRadius = 84.0;
  Canvas scene(kSize, kSize, kClear);
  // Night sky over the workshop yard.
  scene.verticalGradient(0, 0, kSize, 124, {12, 16, 44}, {70, 44, 92});
  Random random{20240611u};
  for (int star = 0; star < 70; ++star) {
    const int x = random.next(kSize);
    const int y = random.next(110);
    const int brightness = 120 + random.next(136);
    scene.set(x, y, Mix({40, 40, 80}, {255, 250, 230}, brightness));
  }
  scene.disc(296, 72, 11.0, {250, 240, 200});  // the moon, bitten by the sky
  scene.disc(306, 66, 10.0, {20, 22, 54});
  // The yard floor.
  for (int y = 124; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      const bool seam = (y - 124) % 12 == 0 || (x + (y - 124) / 12 * 8) % 16 == 0;
      scene.set(x, y, seam ? kFloorSeam : ((x + y) % 7 == 0 ? kFloorLight : kFloor));
    }
  }
  // A big gear turning behind the machine.
  drawGear(scene, 124, 120, 22.0, {84, 92, 116});
  // The machine: hopper, chimney, body with its three windows.
  const Colour housing = kAccumulatorHousing;
  scene.fillRect(118, 40, 9, 34, Shade(kSteelDark, 80));  // chimney
  scene.vline(119, 40, 73, kSteel);
  scene.fillRect(116, 38, 13, 4, kSteelDark);
  for (int puff = 0; puff < 4; ++puff) {
    scene.disc(2 * (126 + puff * 9), 2 * (30 - puff * 7), 3.0 + puff, Mix({110, 100, 130}, {200, 196, 210}, 60 * puff));
  }
  scene.polygon({78, 54, 112, 54, 104, 70, 86, 70}, Shade(kSteel, 90));  // hopper
  scene.hline(78, 111, 54, kSteelLight);
  scene.polygon({82, 56, 108, 56, 106, 59, 84, 59}, kInterior);
  scene.verticalGradient(64, 70, 72, 56, Mix(housing, {255, 255, 240}, 70), Shade(housing, 70));
  scene.frameRect(63, 69, 74, 58, kInk);
  scene.frameRect(67, 74, 66, 44, Shade(housing, 60));
  for (int x : {66, 133}) {
    for (int y : {72, 123}) scene.set(x, y, Mix(housing, {255, 255, 255}, 140));
  }
  for (int window = 0; window < 3; ++window) {
    const int left = 73 + window * 19;
    scene.fillRect(left - 1, 84, 18, 18, kInk);
    scene.fillRect(left, 85, 16, 16, kInterior);
    scene.stamp(DrawBlockTile(window + 1), left, 85);
  }
  scene.fillRect(74, 106, 52, 5, Shade(housing, 50));  // a grille of vents
  for (int x = 75; x < 126; x += 3) scene.vline(x, 106, 110, Mix(housing, {255, 255, 255}, 60));
  // Belts carry blocks in from the left and out to the right.
  drawBelt(scene, 0, 128, 4);
  drawBelt(scene, 136, 128, 4);
  scene.stamp(DrawBlockTile(1), 14, 116);
  scene.stamp(DrawBlockTile(2), 38, 116);
  scene.stamp(DrawBlockTile(3), 150, 116);
  scene.stamp(DrawBlockTile(1), 174, 116);
  // Cut the scene into the porthole and rim it with riveted steel.
  Canvas picture(kSize, kSize, kClear);
  const long inside4 = static_cast<long>(kRadius * kRadius * 4.0);
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      const long dx = 2L * x + 1 - kCentreX2;
      const long dy = 2L * y + 1 - kCentreY2;
      if (dx * dx + dy * dy <= inside4) picture.set(x, y, scene.get(x, y));
    }
  }
  picture.ring(kCentreX2, kCentreY2, kRadius + 6, kRadius, kSteelDark);
  picture.ring(kCentreX2, kCentreY2, kRadius + 5, kRadius + 3, kSteel);
  picture.ring(kCentreX2, kCentreY2, kRadius + 6.5, kRadius + 5.5, kInk);
  for (int k = 0; k < 12; ++k) {
    const double x = kCentreX2 / 2.0 + kCos[k] * (kRadius + 3);
    const double y = kCentreY2 / 2.0 + kSin[k] * (kRadius + 3);
    picture.disc(roundToInt(2 * x), roundToInt(2 * y), 1.6, kSteelLight);
  }
  const char* caption = "BUILD THE MACHINE";
  drawTitle(picture, (kSize - TextWidth(caption)) / 2, 186, caption, 1, {220, 226, 240}, {150, 160, 190});
  return picture;
}

}  // namespace art
