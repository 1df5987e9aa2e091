// unit.bmp: the units in two layers. A unit stands 8 pixels tall on its 3 × 2 cells: the lower body
// (drawn under the blocks) is the dark inside of the machine; the upper body of each kind (drawn
// over the blocks) is its housing, with open notches at the back where it takes blocks in and open
// mouths in its front where it gives them out, so a block is seen sinking into the machine and
// sliding out of it.
#include "tools/art/palette.h"
#include "tools/art/pixel_font.h"
#include "tools/art/sheets.h"

namespace art {

namespace {

constexpr int kBodyWidth = 48;
constexpr int kBodyHeight = 32;
constexpr int kTopFaceRows = 24;  // rows 0..23 the lid, rows 24..31 the front face
constexpr int kPortWidth = 16;

Canvas drawLowerBody() {
  Canvas body(kBodyWidth, kBodyHeight, kInterior);
  // Seen through the notches (rows 0..2) and the mouths (rows 20..27): chutes in the dark.
  for (int port = 0; port < 3; ++port) {
    const int left = port * kPortWidth;
    body.vline(left + 1, 0, 27, Shade(kInterior, 160));
    body.vline(left + 14, 0, 27, Shade(kInterior, 70));
    for (int y = 0; y < 28; ++y) {
      for (int x = left + 2; x < left + 14; ++x) body.dither(x, y, kInterior, Shade(kInterior, 140), y < 14 ? 0 : (y - 14) / 2);
    }
  }
  // The plinth the machine stands on; it shows below the front face.
  body.hline(0, 47, 28, kSteelDark);
  body.fillRect(0, 29, kBodyWidth, 2, Shade(kSteelDark, 75));
  body.hline(0, 47, 31, kInk);
  for (int x = 3; x < kBodyWidth; x += 8) body.set(x, 29, kSteel);
  body.vline(0, 28, 31, kInk);
  body.vline(47, 28, 31, kInk);
  return body;
}

struct Housing {
  Colour colour;
  bool intake[3];
  bool outlet[3];
};

// The parts every kind shares: the lid, the front face, the notches and the mouths.
Canvas drawHousing(const Housing& housing) {
  Canvas body(kBodyWidth, kBodyHeight, kClear);
  const Colour lid = housing.colour;
  const Colour lidLight = Mix(lid, {255, 255, 240}, 80);
  const Colour lidDark = Shade(lid, 78);
  const Colour front = Shade(lid, 58);
  body.verticalGradient(1, 1, kBodyWidth - 2, kTopFaceRows - 1, lidLight, lid);
  body.verticalGradient(1, kTopFaceRows, kBodyWidth - 2, kBodyHeight - kTopFaceRows - 1, front, Shade(front, 75));
  body.hline(1, 46, kTopFaceRows - 1, Mix(lid, {255, 255, 255}, 120));  // the lit edge of the lid
  body.hline(1, 46, kTopFaceRows, Shade(front, 80));
  // A seam inset in the lid, and rivets at its corners.
  body.frameRect(3, 3, kBodyWidth - 6, kTopFaceRows - 6, lidDark);
  for (int x : {5, 42}) {
    for (int y : {5, 19}) {
      body.set(x, y, lidLight);
      body.set(x + 1, y + 1, lidDark);
    }
  }
  body.frameRect(0, 0, kBodyWidth, kBodyHeight, kInk);
  for (int port = 0; port < 3; ++port) {
    const int left = port * kPortWidth;
    if (housing.intake[port]) {
      body.fillRect(left + 1, 0, 14, 8, kClear);
      body.hline(left + 1, left + 14, 8, Mix(lid, {255, 255, 255}, 100));  // the hopper's front lip
      body.hline(left + 2, left + 13, 9, lidDark);
    }
    if (housing.outlet[port]) {
      body.fillRect(left + 1, kTopFaceRows, 14, kBodyHeight - kTopFaceRows, kClear);
    }
  }
  body.outline(0, 0, kBodyWidth, kBodyHeight, kInk);
  // Hazard paint on the two pillars beside every mouth.
  for (int port = 0; port < 3; ++port) {
    if (!housing.outlet[port]) continue;
    const int left = port * kPortWidth;
    for (int y = kTopFaceRows + 1; y < kBodyHeight - 1; ++y) {
      if (((y / 2) & 1) == 0) {
        if (left > 0) body.set(left, y, kPaint);
        if (left + 15 < kBodyWidth - 1) body.set(left + 15, y, kPaint);
      }
    }
  }
  return body;
}

// A groove cut into the lid, two pixels wide, dark with a lit lower edge.
void groove(Canvas& body, int x0, int y0, int x1, int y1, Colour lid) {
  body.line(x0, y0, x1, y1, Shade(lid, 45));
  body.line(x0 + 1, y0, x1 + 1, y1, Shade(lid, 55));
  body.line(x0, y0 + 1, x1, y1 + 1, Mix(lid, {255, 255, 255}, 90));
}

Canvas drawTrigger() {
  const Colour lid = kTriggerHousing;
  Canvas body = drawHousing({lid, {false, true, false}, {true, false, true}});
  // The splitter: from the intake the channel forks towards both mouths.
  groove(body, 22, 10, 9, 21, lid);
  groove(body, 24, 10, 37, 21, lid);
  body.disc(47, 23, 2.0, Shade(lid, 40));  // the flap's pivot
  body.set(23, 11, Mix(lid, {255, 255, 255}, 160));
  // Unlit lamp sockets above both outputs; the side mark lights one of them.
  for (int column : {0, 2}) {
    const int centreX2 = 2 * (column * kPortWidth) + 15;
    body.disc(centreX2, 15, 4.6, kInk);
    body.disc(centreX2, 15, 3.6, {58, 72, 62});
    body.set(column * kPortWidth + 6, 6, {90, 108, 94});
  }
  return body;
}

Canvas drawSwapper() {
  const Colour lid = kSwapperHousing;
  Canvas body = drawHousing({lid, {true, false, true}, {true, false, true}});
  // Two channels crossing: left intake to right mouth, right intake to left mouth.
  groove(body, 8, 11, 38, 21, lid);
  groove(body, 38, 11, 8, 21, lid);
  body.ring(47, 32, 4.5, 2.5, Shade(lid, 40));
  body.disc(47, 32, 1.5, Mix(lid, {255, 255, 255}, 160));
  // Arrow heads at the mouth ends of both channels.
  for (int side : {0, 1}) {
    const int tipX = side == 0 ? 8 : 39;
    const int direction = side == 0 ? 1 : -1;
    body.hline(tipX, tipX + 4 * direction, 21, Shade(lid, 40));
    body.vline(tipX, 17, 21, Shade(lid, 40));
  }
  return body;
}

Canvas drawAccumulator() {
  const Colour lid = kAccumulatorHousing;
  Canvas body = drawHousing({lid, {true, false, false}, {true, true, true}});
  // Three windows: the stored colours show in them, the oldest on the right.
  for (int slot = 0; slot < 3; ++slot) {
    const int left = 4 + slot * kPortWidth;
    body.frameRect(left - 1, 9, 10, 10, kInk);
    body.fillRect(left, 10, 8, 8, Shade(kInterior, 130));
    body.hline(left, left + 7, 10, Shade(kInterior, 80));
    body.set(left + 3, 14, Shade(kInterior, 190));
    body.hline(left - 1, left + 8, 19, Mix(lid, {255, 255, 255}, 100));
  }
  // Chevrons show which way the stored blocks are pushed along.
  for (int chevron = 0; chevron < 3; ++chevron) {
    const int x = 21 + chevron * 7;
    const Colour ink = Shade(lid, 45);
    body.line(x, 3, x + 2, 5, ink);
    body.line(x + 2, 5, x, 7, ink);
    body.line(x + 1, 3, x + 3, 5, ink);
    body.line(x + 3, 5, x + 1, 7, ink);
  }
  // Gauge ticks under the windows: one, two, three.
  for (int slot = 0; slot < 3; ++slot) {
    for (int tick = 0; tick <= 2 - slot; ++tick) body.vline(7 + slot * kPortWidth + tick * 2, 20, 21, Shade(lid, 45));
  }
  return body;
}

// The lit lamp over the output the trigger uses next, with an arrow towards that side.
Canvas drawSideMark(int side) {
  Canvas mark(16, 16, kClear);
  mark.disc(15, 15, 5.2, {24, 90, 40});
  mark.disc(15, 15, 4.4, {110, 240, 120});
  mark.disc(15, 15, 2.6, {200, 255, 200});
  mark.set(5, 5, {255, 255, 255});
  mark.set(6, 5, {240, 255, 240});
  // A bold arrow pointing down and out, towards the mouth it opens.
  const Colour arrow{14, 64, 28};
  for (int step = 0; step < 4; ++step) {
    const int x = side == 0 ? 10 - step : 5 + step;
    mark.set(x, 5 + step, arrow);
    mark.set(side == 0 ? x - 1 : x + 1, 5 + step, arrow);
  }
  const int tipX = side == 0 ? 5 : 10;
  const int inward = side == 0 ? 1 : -1;
  mark.vline(tipX, 7, 10, arrow);
  mark.hline(tipX, tipX + 3 * inward, 10, arrow);
  mark.outline(0, 0, 16, 16, kInk);
  return mark;
}

// A three by five letter for the small tiles.
constexpr const char* kTinyLetters[3][5] = {
    {".#.", "#.#", "###", "#.#", "#.#"},
    {"##.", "#.#", "##.", "#.#", "##."},
    {".##", "#..", "#..", "#..", ".##"},
};

}  // namespace

Canvas DrawMiniBlock(int colour) {
  const BlockTones& tones = kBlockTones[colour];
  Canvas tile(8, 8, kInk);
  tile.fillRect(1, 1, 6, 6, tones.face);
  tile.hline(1, 6, 1, tones.top);
  tile.vline(6, 2, 6, tones.dark);
  for (int row = 0; row < 5; ++row) {
    for (int column = 0; column < 3; ++column) {
      if (kTinyLetters[colour - 1][row][column] == '#') tile.set(2 + column, 2 + row, tones.mark);
    }
  }
  return tile;
}

Canvas DrawUnitSheet() {
  Canvas sheet = NewSheet(kUnitSheet);
  PasteTile(sheet, drawLowerBody(), kLowerBodyTile);
  PasteTile(sheet, drawTrigger(), kTriggerBodyTile);
  PasteTile(sheet, drawSwapper(), kSwapperBodyTile);
  PasteTile(sheet, drawAccumulator(), kAccumulatorBodyTile);
  PasteTile(sheet, drawSideMark(0), sideMarkTile(0));
  PasteTile(sheet, drawSideMark(1), sideMarkTile(1));
  for (int colour = 1; colour <= 3; ++colour) PasteTile(sheet, DrawMiniBlock(colour), storedColourTile(colour));
  return sheet;
}

}  // namespace art
