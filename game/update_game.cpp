// The game's response to the player: picking a level on the level-select screen, and inside a
// level dragging units from the palette, laying conveyors, clicking and removing units and the
// Run, Stop, Clear and Exit buttons; then the level's simulation tick.
#include "game/update_game.h"

#include <cassert>
#include <cstdint>

#include "game/game_globals.h"

namespace {

constexpr std::int32_t kLeftButton = 0;
constexpr std::int32_t kRightButton = 1;

// The level-select grid: five 40 × 40 cells to a row.
constexpr std::int32_t kSelectColumns = 5;
constexpr std::int32_t kSelectCellSize = 40;

// The field: 11 × 11 cells of 16 × 12 from (16, 44).
constexpr std::int32_t kFieldLeft = 16;
constexpr std::int32_t kFieldTop = 44;
constexpr std::int32_t kCellWidth = 16;
constexpr std::int32_t kCellHeight = 12;

// The palette: two entries of 48 × 24 to a row, 56 apart across and 40 down.
constexpr std::int32_t kPaletteColumns = 2;

enum LevelButton : std::int32_t { kRun = 0, kStop = 1, kClear = 2, kExit = 3, kButtonCount = 4 };

// Half-open: x0 <= x < x1.
bool Inside(std::int32_t x, std::int32_t y, std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1) {
  return x0 <= x && x < x1 && y0 <= y && y < y1;
}

bool InsideField(std::int32_t mx, std::int32_t my) {
  return mx >= kFieldLeft && mx <= 191 && my >= kFieldTop && my <= 175;
}

// The mouse on the logical screen; division truncates toward zero, as the game always has.
struct LogicalMouse {
  std::int32_t x;
  std::int32_t y;
};

LogicalMouse logicalMouse(const ie::XInputEngine& input) { return {input.MouseX() / 2, input.MouseY() / 2}; }

void pressLevelButton(Level& level, std::int32_t button) {
  switch (button) {
    case kRun:
      level.start();
      break;
    case kStop:
      level.stop();
      break;
    case kClear:
      level.clear();
      break;
    case kExit:
      level.stop();
      assert(level.owner != nullptr && "a level of the game always has its owner");
      level.owner->currentLevel = kNoLevel;
      break;
    default:
      break;
  }
}

}  // namespace

bool updateGame() {
  assert(game != nullptr && inputEngine != nullptr && "the program sets the game and the input engine first");
  return updateGame(*game, *inputEngine);
}

bool updateGame(Game& game, const ie::XInputEngine& input) {
  // The intro takes no input.
  if (game.introTimer != 0) return true;

  if (game.currentLevel == kNoLevel) {
    const LogicalMouse mouse = logicalMouse(input);
    const bool click = input.ButtonChanged(kLeftButton, false, true);
    const std::int32_t levelCount = static_cast<std::int32_t>(game.levels.size());
    for (std::int32_t i = 0; i < levelCount; ++i) {
      const std::int32_t x0 = 110 + kSelectCellSize * (i % kSelectColumns);
      const std::int32_t y0 = 15 + kSelectCellSize * (i / kSelectColumns);
      if (Inside(mouse.x, mouse.y, x0, y0, x0 + kSelectCellSize, y0 + kSelectCellSize) && click) {
        game.currentLevel = i;
        break;
      }
    }
    return true;
  }

  assert(game.currentLevel >= 0 && static_cast<std::size_t>(game.currentLevel) < game.levels.size() &&
         "the open level comes from a level-select cell");
  Level& level = *game.levels[static_cast<std::size_t>(game.currentLevel)];
  handleLevelInput(level, input);
  // Exit leaves the level without a last tick.
  if (game.currentLevel != kNoLevel) level.tick();
  return true;
}

void handleLevelInput(Level& level, const ie::XInputEngine& input) {
  const LogicalMouse mouse = logicalMouse(input);
  const bool click = input.ButtonChanged(kLeftButton, false, true);
  const bool release = input.ButtonChanged(kLeftButton, true, false);
  const bool rightClick = input.ButtonChanged(kRightButton, false, true);

  // While the machine runs only the buttons react.
  if (!level.running) {
    // Palette pick: only kinds with units left.
    const std::int32_t entries = static_cast<std::int32_t>(level.palette.size());
    for (std::int32_t i = 0; i < entries; ++i) {
      if (level.allowance[static_cast<std::size_t>(i)] <= 0) continue;
      const std::int32_t x0 = 200 + 56 * (i % kPaletteColumns);
      const std::int32_t y0 = 56 + 40 * (i / kPaletteColumns);
      if (Inside(mouse.x, mouse.y, x0, y0, x0 + 48, y0 + 24) && click) {
        level.dragging = true;
        level.dragIndex = i;
      }
    }

    // Drop: the unit lands with its top-left cell under the mouse if its footprint fits there.
    // The frame of a drop does nothing else.
    if (level.dragging && release) {
      if (InsideField(mouse.x, mouse.y)) {
        const std::int32_t x = (mouse.x - kFieldLeft) / kCellWidth;
        const std::int32_t y = (mouse.y - kFieldTop) / kCellHeight;
        const std::size_t entry = static_cast<std::size_t>(level.dragIndex);
        if (level.canPlaceUnit(x, y) && entry < level.palette.size() && level.allowance[entry] > 0) {
          --level.allowance[entry];
          level.placeUnit(level.palette[entry]->clone(), Cell{x, y});
        }
      }
      level.dragging = false;
      level.dragIndex = 0;
      return;
    }

    // Field: a left click turns a unit or advances the cell's conveyor; a right click empties the
    // cell and takes back a unit covering it. A left click wins over a right click in one frame.
    if (InsideField(mouse.x, mouse.y)) {
      const std::int32_t x = (mouse.x - kFieldLeft) / kCellWidth;
      const std::int32_t y = (mouse.y - kFieldTop) / kCellHeight;
      std::int32_t& cell = level.cells[static_cast<std::size_t>(x)][static_cast<std::size_t>(y)];
      if (click) {
        if (orvane::XUnit* unit = level.unitAt(x, y)) {
          unit->toggle();
        } else {
          // 0 → 1 → 2 → 3 → 4 → 1: a click never empties a cell.
          cell = cell + 1;
          if (cell > 4) cell = 1;
        }
      } else if (rightClick) {
        cell = kEmptyCell;
        if (orvane::XUnit* unit = level.unitAt(x, y)) level.returnUnit(unit);
      }
    }
  }

  // Buttons, also while running.
  if (mouse.y >= 20 && mouse.y <= 39) {
    for (std::int32_t button = 0; button < kButtonCount; ++button) {
      const std::int32_t x0 = 200 + 20 * button;
      if (mouse.x >= x0 && mouse.x < x0 + 20 && click) {
        pressLevelButton(level, button);
      }
    }
  }
}
