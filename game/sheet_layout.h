// Where each picture lies on the three tile sheets (field.bmp, button.bmp, unit.bmp), in pixels of
// its sheet. The art tool paints every tile at these rectangles and the views draw them from here,
// so a tile cannot move in the picture without the views following it.
#pragma once

#include <cstdint>

struct SheetSize {
  std::int32_t width;
  std::int32_t height;

  friend constexpr bool operator==(const SheetSize&, const SheetSize&) = default;
};

// A rectangle of a sheet in pixels, together with the size of the sheet it lies on, from which
// its texture coordinates follow (drawSheetRect in game/sheet_drawing.h).
struct SheetRect {
  SheetSize sheet;
  std::int32_t x;
  std::int32_t y;
  std::int32_t width;
  std::int32_t height;

  friend constexpr bool operator==(const SheetRect&, const SheetRect&) = default;
};

// field.bmp: a grid of 4 × 4 tiles of 16 × 16. Row 0 holds the bare floor (column 0) and the blocks
// of colours 1, 2, 3; row 1 the four frames of the horizontal conveyor, row 2 those of the vertical
// one (also the feeders and outlets), row 3 the arrows of conveyor contents 1 to 4.
inline constexpr SheetSize kFieldSheet{64, 64};
inline constexpr std::int32_t kFieldSheetTile = 16;
inline constexpr std::int32_t kFloorRow = 0;
inline constexpr std::int32_t kHorizontalConveyorRow = 1;
inline constexpr std::int32_t kVerticalConveyorRow = 2;
inline constexpr std::int32_t kArrowRow = 3;

constexpr SheetRect fieldTile(std::int32_t column, std::int32_t row) {
  return {kFieldSheet, kFieldSheetTile * column, kFieldSheetTile * row, kFieldSheetTile, kFieldSheetTile};
}

// button.bmp: the faces of the level buttons Run, Stop, Clear and Exit along the top; below them
// the level cell of the level-select screen on the left and, on the right, the Easy, Medium and
// Hard strips and the solved mark, one under the other.
inline constexpr SheetSize kButtonSheet{80, 80};

constexpr SheetRect buttonFace(std::int32_t button) { return {kButtonSheet, 20 * button, 0, 20, 20}; }

inline constexpr SheetRect kLevelCellTile{kButtonSheet, 0, 20, 40, 40};

// Difficulty 1 Easy, 2 Medium, 3 Hard.
constexpr SheetRect difficultyStrip(std::int32_t difficulty) {
  return {kButtonSheet, 40, 20 + 10 * (difficulty - 1), 40, 10};
}

inline constexpr SheetRect kSolvedMarkTile{kButtonSheet, 40, 50, 40, 10};

// unit.bmp: the lower body every kind shares and each kind's upper body, 48 × 32 one under the other;
// beside them the trigger's side marks and the accumulator's small colour tiles. The right half of
// the sheet is unused.
inline constexpr SheetSize kUnitSheet{128, 128};
inline constexpr SheetRect kLowerBodyTile{kUnitSheet, 0, 0, 48, 32};
inline constexpr SheetRect kTriggerBodyTile{kUnitSheet, 0, 32, 48, 32};
inline constexpr SheetRect kSwapperBodyTile{kUnitSheet, 0, 64, 48, 32};
inline constexpr SheetRect kAccumulatorBodyTile{kUnitSheet, 0, 96, 48, 32};

// Side 0 marks the left output, side 1 the right one.
constexpr SheetRect sideMarkTile(std::int32_t side) { return {kUnitSheet, 48, 32 + 16 * side, 16, 16}; }

// Colours 1, 2, 3, one under the other.
constexpr SheetRect storedColourTile(std::int32_t colour) { return {kUnitSheet, 48, 96 + 8 * colour, 8, 8}; }
