// Where the parts of the level-select and level screens stand on the logical 320 × 240 screen. The
// clicks (update_game.cpp) and the pictures (draw_game.cpp, draw_level.cpp) both take their places
// from here, so what the player hits is always what the player sees.
#pragma once

#include <cstdint>

#include "base/display_geometry.h"
#include "game/level.h"
#include "game/unit.h"
#include "ie/input_engine.h"

struct ScreenPoint {
  std::int32_t x;
  std::int32_t y;
};

// A rectangle of the screen. It is half-open: it holds a point when x <= point.x < x + width and
// y <= point.y < y + height.
struct ScreenRect {
  std::int32_t x;
  std::int32_t y;
  std::int32_t width;
  std::int32_t height;

  constexpr bool contains(ScreenPoint point) const {
    return x <= point.x && point.x < x + width && y <= point.y && point.y < y + height;
  }
};

// The mouse on the logical screen: display pixels halved, truncating toward zero.
inline ScreenPoint logicalMouse(const ie::XInputEngine& input) {
  return {display::ToLogical(input.MouseX()), display::ToLogical(input.MouseY())};
}

// Level select: one 40 × 40 cell per level, five to a row, the first at (110, 15).
inline constexpr std::int32_t kLevelSelectColumns = 5;

constexpr ScreenRect levelCellRect(std::int32_t index) {
  return {110 + 40 * (index % kLevelSelectColumns), 15 + 40 * (index / kLevelSelectColumns), 40, 40};
}

// The field: 11 × 11 cells, one field unit a pixel (kCellWidth × kCellHeight), from (16, 44).
inline constexpr ScreenRect kFieldRect{16, 44, kCellWidth * kFieldSize, kCellHeight * kFieldSize};

// The top-left corner of cell (x, y), for any row, also those above and below the field. A unit
// whose top-left cell this is is drawn with its anchor here.
constexpr ScreenPoint fieldCellOrigin(Cell cell) {
  return {kFieldRect.x + kCellWidth * cell.x, kFieldRect.y + kCellHeight * cell.y};
}

// The cell under a point of kFieldRect.
constexpr Cell fieldCellAt(ScreenPoint point) {
  return {(point.x - kFieldRect.x) / kCellWidth, (point.y - kFieldRect.y) / kCellHeight};
}

// A field tile is 16 × 16 but rows are only 12 apart: each cell's tile starts 4 pixels above the
// cell, so each row hides the bottom of the row above.
inline constexpr std::int32_t kFieldTileSize = 16;

constexpr ScreenPoint fieldTileOrigin(Cell cell) {
  const ScreenPoint origin = fieldCellOrigin(cell);
  return {origin.x, origin.y - 4};
}

// A block's tile, from its position in field units (blockPosition): a block at rest stands 8 pixels
// above its cell, on the cell's floor.
constexpr ScreenPoint blockTileOrigin(GlidePosition position) {
  return {kFieldRect.x + position.x, kFieldRect.y - 8 + position.y};
}

// The points over which a dragged unit shows: the cells that have room for its whole footprint as
// its top-left cell, that is all but the last two columns and the last row.
constexpr ScreenRect unitAnchorArea() {
  return {kFieldRect.x, kFieldRect.y, kCellWidth * (kFieldSize - orvane::kUnitColumns + 1),
          kCellHeight * (kFieldSize - orvane::kUnitRows + 1)};
}

// Palette entry i (0 trigger, 1 swapper, 2 accumulator): two columns filled row by row. The
// rectangle is the unit's 48 × 24 footprint; the unit is drawn with its anchor at the corner.
inline constexpr std::int32_t kPaletteColumns = 2;

constexpr ScreenRect paletteEntryRect(std::int32_t index) {
  return {200 + 56 * (index % kPaletteColumns), 56 + 40 * (index / kPaletteColumns), 48, 24};
}

// The level buttons Run, Stop, Clear and Exit, left to right above the palette.
enum LevelButton : std::int32_t {
  kRunButton = 0,
  kStopButton = 1,
  kClearButton = 2,
  kExitButton = 3,
  kLevelButtonCount = 4
};

constexpr ScreenRect levelButtonRect(std::int32_t button) { return {200 + 20 * button, 20, 20, 20}; }
