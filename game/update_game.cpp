// The game's response to the player: picking a level on the level-select screen, and inside a
// level dragging units from the palette, laying conveyors, clicking and removing units and the
// Run, Stop, Clear and Exit buttons; then the level's simulation tick.
#include "game/update_game.h"

#include <cassert>
#include <cstdint>

#include "game/game_globals.h"
#include "game/screen_layout.h"

namespace {

constexpr std::int32_t kLeftButton = 0;
constexpr std::int32_t kRightButton = 1;

void pressLevelButton(Level& level, std::int32_t button) {
  switch (button) {
    case kRunButton:
      level.start();
      break;
    case kStopButton:
      level.stop();
      break;
    case kClearButton:
      level.clear();
      break;
    case kExitButton:
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
    const ScreenPoint mouse = logicalMouse(input);
    const bool click = input.ButtonChanged(kLeftButton, false, true);
    const std::int32_t levelCount = static_cast<std::int32_t>(game.levels.size());
    for (std::int32_t i = 0; i < levelCount; ++i) {
      if (levelCellRect(i).contains(mouse) && click) {
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
  const ScreenPoint mouse = logicalMouse(input);
  const bool click = input.ButtonChanged(kLeftButton, false, true);
  const bool release = input.ButtonChanged(kLeftButton, true, false);
  const bool rightClick = input.ButtonChanged(kRightButton, false, true);

  // While the machine runs only the buttons react.
  if (!level.running) {
    // Palette pick: only kinds with units left.
    const std::int32_t entries = static_cast<std::int32_t>(level.palette.size());
    for (std::int32_t i = 0; i < entries; ++i) {
      if (level.allowance[static_cast<std::size_t>(i)] <= 0) continue;
      if (paletteEntryRect(i).contains(mouse) && click) {
        level.dragging = true;
        level.dragIndex = i;
      }
    }

    // Drop: the unit lands with its top-left cell under the mouse if its footprint fits there.
    // The frame of a drop does nothing else.
    if (level.dragging && release) {
      if (kFieldRect.contains(mouse)) {
        const Cell cell = fieldCellAt(mouse);
        const std::size_t entry = static_cast<std::size_t>(level.dragIndex);
        if (level.canPlaceUnit(cell.x, cell.y) && entry < level.palette.size() && level.allowance[entry] > 0) {
          --level.allowance[entry];
          level.placeUnit(level.palette[entry]->clone(), cell);
        }
      }
      level.dragging = false;
      level.dragIndex = 0;
      return;
    }

    // Field: a left click turns a unit or advances the cell's conveyor; a right click empties the
    // cell and takes back a unit covering it. A left click wins over a right click in one frame.
    if (kFieldRect.contains(mouse)) {
      const Cell cell = fieldCellAt(mouse);
      std::int32_t& content = level.cells[static_cast<std::size_t>(cell.x)][static_cast<std::size_t>(cell.y)];
      if (click) {
        if (orvane::XUnit* unit = level.unitAt(cell.x, cell.y)) {
          unit->toggle();
        } else {
          // 0 → 1 → 2 → 3 → 4 → 1: a click never empties a cell.
          content = content + 1;
          if (content > 4) content = 1;
        }
      } else if (rightClick) {
        content = kEmptyCell;
        if (orvane::XUnit* unit = level.unitAt(cell.x, cell.y)) level.returnUnit(unit);
      }
    }
  }

  // Buttons, also while running.
  for (std::int32_t button = 0; button < kLevelButtonCount; ++button) {
    if (levelButtonRect(button).contains(mouse) && click) pressLevelButton(level, button);
  }
}
