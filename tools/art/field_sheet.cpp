// field.bmp: the floor, the three blocks, the conveyor animations and the direction arrows.
// Each tile is 16 × 16 but a field row is only 12 pixels high: the next row hides the bottom four
// pixel rows of a tile, so those rows are drawn as the front edge that shows at the field's bottom.
#include <string_view>

#include "tools/art/palette.h"
#include "tools/art/pixel_font.h"
#include "tools/art/sheets.h"

namespace art {

namespace {

constexpr int kTile = kFieldSheetTile;
constexpr int kVisibleRows = 12;  // a field row's height; rows 12..15 are the front edge
constexpr int kRibSpacing = 4;    // the belt moves one pixel per frame, four frames a cycle

// Where a belt position lies in the rib cycle at this frame: 0 on a rib, counting on behind it.
int ribPhase(int position, int frame) { return ((position - frame) % kRibSpacing + kRibSpacing) % kRibSpacing; }

Canvas drawFloor() {
  Canvas tile(kTile, kTile, kFloor);
  // A plate with a seam along its top and left side, so the empty field reads as a grid of cells.
  tile.hline(0, 15, 0, kFloorSeam);
  tile.vline(0, 0, kVisibleRows - 1, kFloorSeam);
  tile.hline(1, 15, 1, kFloorLight);
  tile.vline(1, 1, kVisibleRows - 1, kFloorLight);
  for (int y = 2; y < kVisibleRows; ++y) {
    for (int x = 2; x < kTile; ++x) tile.dither(x, y, kFloor, Shade(kFloor, 92), (y - 2) * 10 / 9);
  }
  // A small cross in the middle marks where a block would stand.
  const Colour mark = Shade(kFloorLight, 104);
  tile.hline(7, 8, 6, mark);
  tile.vline(7, 5, 7, mark);
  tile.vline(8, 5, 7, mark);
  tile.hline(6, 9, 6, mark);
  // The front edge of the floor slab.
  tile.hline(0, 15, 12, kFloorLip);
  tile.fillRect(0, 13, kTile, 3, kFloorEdge);
  for (int x = 0; x < kTile; ++x) tile.dither(x, 15, kFloorEdge, Shade(kFloorEdge, 70), 8);
  return tile;
}

Canvas drawHorizontalConveyor(int frame) {
  Canvas tile(kTile, kTile, kBelt);
  tile.hline(0, 15, 0, kSteelDark);
  tile.hline(0, 15, 1, kSteelLight);
  tile.hline(0, 15, 2, kSteel);
  tile.hline(0, 15, 10, kSteel);
  tile.hline(0, 15, 11, kSteelDark);
  for (int x = 0; x < kTile; x += 8) {  // bolts on the rails stay put while the belt runs
    tile.set(x + 3, 1, kSteel);
    tile.set(x + 3, 10, kSteelDark);
  }
  for (int x = 0; x < kTile; ++x) {
    const int phase = ribPhase(x, frame);
    for (int y = 3; y <= 9; ++y) {
      Colour colour = kBelt;
      if (phase == 0) colour = y == 3 ? kBeltRibLight : kBeltRib;
      if (phase == 1 && y > 3) colour = Shade(kBelt, 80);  // shadow behind each rib
      if (y == 9 && phase != 0) colour = Shade(kBelt, 85);
      tile.set(x, y, colour);
    }
  }
  // Front side: the housing with the ends of the rollers turning along with the belt.
  tile.hline(0, 15, 12, kSteelDark);
  tile.fillRect(0, 13, kTile, 2, Shade(kSteelDark, 70));
  tile.hline(0, 15, 15, Shade(kFloorEdge, 80));
  for (int x = 0; x < kTile; ++x) {
    if (ribPhase(x, frame) == 0) {
      tile.set(x, 13, kSteel);
      tile.set(x, 14, kSteelDark);
    }
  }
  return tile;
}

Canvas drawVerticalConveyor(int frame) {
  Canvas tile(kTile, kTile, kBelt);
  tile.vline(0, 0, 11, kSteelDark);
  tile.vline(1, 0, 11, kSteelLight);
  tile.vline(2, 0, 11, kSteel);
  tile.vline(13, 0, 11, kSteel);
  tile.vline(14, 0, 11, kSteelDark);
  tile.vline(15, 0, 11, Shade(kSteelDark, 70));
  tile.set(1, 5, kSteel);
  tile.set(14, 5, Shade(kSteelDark, 80));
  for (int y = 0; y < kVisibleRows; ++y) {
    // Twelve visible rows hold three whole rib periods, so stacked tiles join without a seam.
    const int phase = ribPhase(y, frame);
    for (int x = 3; x <= 12; ++x) {
      Colour colour = kBelt;
      if (phase == 0) colour = x == 3 ? kBeltRibLight : kBeltRib;
      if (phase == 3 && x > 3) colour = Shade(kBelt, 80);  // shadow above each rib
      if (x == 12 && phase != 0) colour = Shade(kBelt, 85);
      tile.set(x, y, colour);
    }
  }
  // Front: the belt rolls over its end roller, between the ends of the side rails.
  tile.hline(0, 15, 12, kSteelDark);
  tile.fillRect(0, 13, kTile, 2, Shade(kSteelDark, 70));
  tile.hline(3, 12, 12, kBeltRib);
  tile.hline(3, 12, 13, kBelt);
  tile.hline(0, 15, 15, Shade(kFloorEdge, 80));
  tile.set(1, 13, kSteel);
  tile.set(14, 13, kSteel);
  return tile;
}

// Right-pointing arrow, seven by seven; the other directions are the same shape turned.
constexpr std::string_view kArrow[7] = {
    "...#...",
    "...##..",
    "######.",
    "#######",
    "######.",
    "...##..",
    "...#...",
};

Canvas drawArrow(int direction) {
  bool shape[7][7] = {};
  for (int row = 0; row < 7; ++row) {
    for (int column = 0; column < 7; ++column) {
      // Turn the pattern by the direction: 0 right, 1 down, 2 left, 3 up.
      int sourceRow = row;
      int sourceColumn = column;
      switch (direction) {
        case 1: sourceRow = column; sourceColumn = row; break;
        case 2: sourceColumn = 6 - column; break;
        case 3: sourceRow = column; sourceColumn = 6 - row; break;
        default: break;
      }
      shape[row][column] = kArrow[sourceRow][sourceColumn] == '#';
    }
  }
  Canvas tile(kTile, kTile, kClear);
  const int left = 4;
  const int top = 3;
  const Colour lit = Mix(kPaint, {255, 255, 236}, 150);
  const Colour shaded = Mix(kPaint, {196, 140, 40}, 120);
  for (int row = 0; row < 7; ++row) {
    for (int column = 0; column < 7; ++column) {
      if (!shape[row][column]) continue;
      // Lit from the top left: edge pixels facing that way are paler, those facing away darker.
      const bool openAbove = row == 0 || !shape[row - 1][column];
      const bool openLeft = column == 0 || !shape[row][column - 1];
      const bool openBelow = row == 6 || !shape[row + 1][column];
      const bool openRight = column == 6 || !shape[row][column + 1];
      Colour colour = kPaint;
      if (openAbove || openLeft) colour = lit;
      else if (openBelow || openRight) colour = shaded;
      tile.set(left + column, top + row, colour);
    }
  }
  tile.outline(0, 0, kTile, kVisibleRows, kInk);
  return tile;
}

}  // namespace

Canvas DrawBlockTile(int colour) {
  const BlockTones& tones = kBlockTones[colour];
  Canvas tile(kTile, kTile, kClear);
  // A crate seen from the front and slightly above: a lit top face over the front face.
  tile.fillRect(2, 1, 12, 4, tones.top);
  tile.hline(2, 13, 1, Mix(tones.top, {255, 255, 255}, 90));
  tile.verticalGradient(2, 5, 12, 10, tones.face, Mix(tones.face, tones.dark, 120));
  tile.hline(2, 13, 5, Mix(tones.face, tones.top, 128));  // the front edge catches the light
  tile.vline(2, 6, 14, Mix(tones.face, tones.top, 90));
  tile.vline(13, 6, 14, tones.dark);
  tile.hline(2, 13, 14, tones.dark);
  // The letter, bold and engraved, low on the face so the part of it that stays visible in a
  // stacked target column is still readable.
  for (int row = 0; row < kGlyphHeight; ++row) {
    for (int column = 0; column < kGlyphWidth; ++column) {
      if (!GlyphPixel(tones.letter, column, row)) continue;
      tile.set(5 + column, 7 + row, tones.mark);
      tile.set(6 + column, 7 + row, tones.mark);
    }
  }
  tile.outline(0, 0, kTile, kTile, kInk);
  return tile;
}

Canvas DrawFieldSheet() {
  Canvas sheet = NewSheet(kFieldSheet);
  PasteTile(sheet, drawFloor(), fieldTile(0, kFloorRow));
  for (int colour = 1; colour <= 3; ++colour) PasteTile(sheet, DrawBlockTile(colour), fieldTile(colour, kFloorRow));
  for (int frame = 0; frame < 4; ++frame) {
    PasteTile(sheet, drawHorizontalConveyor(frame), fieldTile(frame, kHorizontalConveyorRow));
    PasteTile(sheet, drawVerticalConveyor(frame), fieldTile(frame, kVerticalConveyorRow));
  }
  // Conveyor content 1 + d carries the arrow of direction d.
  for (int direction = 0; direction < 4; ++direction) {
    PasteTile(sheet, drawArrow(direction), fieldTile(direction, kArrowRow));
  }
  return sheet;
}

}  // namespace art
