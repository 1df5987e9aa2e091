// The level view: the whole open level redrawn from its fields every frame, in painter's order:
// inputs, field with the lower layer of the units, the dragged unit, targets, blocks, the upper
// layer of the units, buttons, palette, messages, status text and title.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "base/cp1251.h"
#include "game/draw_game.h"
#include "game/format_text.h"
#include "game/level.h"
#include "game/screen_layout.h"
#include "game/sheet_drawing.h"

namespace {

// A block to draw this frame: where its tile goes and which colour it shows.
struct BlockSprite {
  ScreenPoint tile;
  std::int32_t colour;
};

void drawFieldTile(ge::XGraphicEngine& engine, ScreenPoint at, const SheetRect& tile) {
  drawSheetRect(engine, tile, at.x, at.y, kFieldTileSize, kFieldTileSize);
}

// The arrow over a conveyor lets the animated belt show through it.
void drawArrow(ge::XGraphicEngine& engine, ScreenPoint at, std::int32_t content) {
  drawSheetRect(engine, fieldTile(content - 1, kArrowRow), at.x, at.y, kFieldTileSize, kFieldTileSize,
                {1.0f, 1.0f, 1.0f, 0.75f});
}

// The tile of a block, or of a colour letter of a level text.
constexpr SheetRect blockTile(std::int32_t colour) { return fieldTile(colour, kFloorRow); }

// The floor of an uncovered cell: bare, or a conveyor at this animation frame. Leftward and upward
// conveyors play their row's animation backwards.
SheetRect floorTile(std::int32_t content, std::int32_t frame) {
  switch (content) {
    case 1: return fieldTile(frame, kHorizontalConveyorRow);
    case 2: return fieldTile(frame, kVerticalConveyorRow);
    case 3: return fieldTile(3 - frame, kHorizontalConveyorRow);
    case 4: return fieldTile(3 - frame, kVerticalConveyorRow);
    default: return fieldTile(0, kFloorRow);
  }
}

const char* difficultyName(std::int32_t difficulty) {
  switch (difficulty) {
    case 1: return "Easy";
    case 2: return "Medium";
    case 3: return "Hard";
    default: return "?";
  }
}

// The palette and its allowances always have the same length; never read past the shorter one.
std::size_t paletteSize(const Level& level) {
  return level.palette.size() < level.allowance.size() ? level.palette.size() : level.allowance.size();
}

void drawInputs(ge::XGraphicEngine& engine, const Level& level, std::int32_t frame) {
  for (std::int32_t column = 0; column < kFieldSize; ++column) {
    const std::string& input = level.inputs[column];
    if (input.empty()) continue;
    // The feeder fills the three rows above the field, from the top one down.
    for (std::int32_t row = -3; row <= -1; ++row) {
      drawFieldTile(engine, fieldTileOrigin({column, row}), fieldTile(frame, kVerticalConveyorRow));
    }
    // While stopped, the queue stands where a run puts its blocks at rest: the first letter lowest,
    // in row -1, the later ones above it.
    if (level.running) continue;
    for (std::size_t n = 0; n < input.size(); ++n) {
      const std::int32_t row = -1 - static_cast<std::int32_t>(n);
      const ScreenPoint at = blockTileOrigin({kCellWidth * column, kCellHeight * row});
      drawFieldTile(engine, at, blockTile(colourOfLetter(input[n])));
    }
  }
}

// Each placed unit whose top-left cell is (x, y), in the order of `units`.
template <typename Action>
void forUnitsAt(const Level& level, std::int32_t x, std::int32_t y, Action action) {
  for (const auto& [sequence, placed] : level.units) {
    if (placed.cell.x == x && placed.cell.y == y) action(*placed.unit);
  }
}

void drawFieldAndLowerLayer(ge::XGraphicEngine& engine, const Level& level, std::int32_t frame) {
  for (std::int32_t y = 0; y < kFieldSize; ++y) {
    for (std::int32_t x = 0; x < kFieldSize; ++x) {
      const ScreenPoint tile = fieldTileOrigin({x, y});
      if (level.unitAt(x, y) == nullptr) {
        engine.SetTexture(ge::kFieldSheetSlot);
        const std::int32_t content = level.cells[x][y];
        drawFieldTile(engine, tile, floorTile(content, frame));
        if (content >= 1 && content <= 4) drawArrow(engine, tile, content);
      }
      const ScreenPoint anchor = fieldCellOrigin({x, y});
      forUnitsAt(level, x, y, [&](const orvane::XUnit& unit) {
        unit.draw(engine, anchor.x, anchor.y, orvane::kTintNormal, false);
      });
    }
  }
}

void drawDraggedUnit(ge::XGraphicEngine& engine, const Level& level, ScreenPoint mouse) {
  if (!level.dragging) return;
  if (level.dragIndex < 0 || static_cast<std::size_t>(level.dragIndex) >= level.palette.size()) return;
  // Only cells that can be a top-left cell show the unit: not the last two columns nor the last row.
  if (!unitAnchorArea().contains(mouse)) return;
  const Cell cell = fieldCellAt(mouse);
  const std::int32_t tint = level.canPlaceUnit(cell.x, cell.y) ? orvane::kTintCanDrop : orvane::kTintCannotDrop;
  const orvane::XUnit& unit = *level.palette[level.dragIndex];
  const ScreenPoint anchor = fieldCellOrigin(cell);
  unit.draw(engine, anchor.x, anchor.y, tint, false);
  unit.draw(engine, anchor.x, anchor.y, tint, true);
  engine.SetTexture(ge::kFieldSheetSlot);
}

// Draws from the field sheet, which the field (its last row is never covered) or the drag left selected.
void drawTargets(ge::XGraphicEngine& engine, const Level& level, std::int32_t frame, bool blink) {
  for (std::int32_t column = 0; column < kFieldSize; ++column) {
    const std::string& target = level.targets[column];
    if (target.empty()) continue;
    // The outlet fills the row under the field.
    const ScreenPoint outlet = fieldTileOrigin({column, kFieldSize});
    const auto length = static_cast<std::int32_t>(target.size());
    drawFieldTile(engine, outlet, fieldTile(frame, kVerticalConveyorRow));
    std::int32_t delivered = level.delivered[column];
    if (delivered < 0) delivered = 0;
    // The letters still expected keep their places; during a run the next one blinks.
    for (std::int32_t n = delivered; n < length; ++n) {
      if (level.running && n == delivered && blink) continue;
      drawFieldTile(engine, {outlet.x, 182 + 6 * (length - n)}, blockTile(colourOfLetter(target[n])));
    }
  }
}

// Each block where the run has it this tick, gliding toward its next cell.
void drawBlocks(ge::XGraphicEngine& engine, const Level& level) {
  std::vector<BlockSprite> sprites;
  sprites.reserve(level.blocks.size());
  for (const Block& block : level.blocks) {
    sprites.push_back({blockTileOrigin(blockPosition(level, block)), block.colour});
  }
  // Lower blocks cover higher ones. This exchange sort fixes the order of equal heights too.
  for (std::size_t a = 0; a + 1 < sprites.size(); ++a) {
    for (std::size_t b = a + 1; b < sprites.size(); ++b) {
      if (sprites[a].tile.y > sprites[b].tile.y) std::swap(sprites[a], sprites[b]);
    }
  }
  for (const BlockSprite& sprite : sprites) drawFieldTile(engine, sprite.tile, blockTile(sprite.colour));
}

void drawUpperLayer(ge::XGraphicEngine& engine, const Level& level) {
  for (std::int32_t y = 0; y < kFieldSize; ++y) {
    for (std::int32_t x = 0; x < kFieldSize; ++x) {
      const ScreenPoint anchor = fieldCellOrigin({x, y});
      forUnitsAt(level, x, y, [&](const orvane::XUnit& unit) {
        unit.draw(engine, anchor.x, anchor.y, orvane::kTintNormal, true);
      });
    }
  }
}

// Run, Stop, Clear and Exit: the top row of the button sheet, the same in every state.
void drawButtons(ge::XGraphicEngine& engine) {
  engine.SetTexture(ge::kButtonSheetSlot);
  for (std::int32_t button = 0; button < kLevelButtonCount; ++button) {
    const ScreenRect place = levelButtonRect(button);
    drawSheetRect(engine, buttonFace(button), place.x, place.y, place.width, place.height);
  }
}

void drawPalette(ge::XGraphicEngine& engine, const Level& level) {
  for (std::size_t index = 0; index < paletteSize(level); ++index) {
    const std::int32_t allowance = level.allowance[index];
    if (allowance < 0) continue;  // not offered in this level
    const ScreenRect place = paletteEntryRect(static_cast<std::int32_t>(index));
    const std::int32_t tint = allowance == 0 ? orvane::kTintUsedUp : orvane::kTintNormal;
    level.palette[index]->draw(engine, place.x, place.y, tint, false);
    level.palette[index]->draw(engine, place.x, place.y, tint, true);
    // The count stands over the unit's right end, halfway down.
    char count[10];
    engine.DrawText(static_cast<float>(place.x + 40), static_cast<float>(place.y + 12),
                    formatText(count, "x%d", allowance), 1.0f, 1.0f, 1.0f, 1.0f);
  }
}

// The hint, or the help of the offered palette entry under the pointer.
void drawStatus(ge::XGraphicEngine& engine, const Level& level, ScreenPoint mouse) {
  std::string status = level.hint;
  for (std::size_t index = 0; index < paletteSize(level); ++index) {
    if (level.allowance[index] < 0) continue;
    if (paletteEntryRect(static_cast<std::int32_t>(index)).contains(mouse)) status = level.palette[index]->helpText();
  }
  engine.DrawText(255.0f, 165.0f, status.c_str(), 0.8f, 0.8f, 0.8f, 0.94f);
}

void drawTitle(ge::XGraphicEngine& engine, const Level& level) {
  char title[20];
  formatText(title, "Уровень %d (%s)"_cp1251, level.number, difficultyName(level.difficulty));
  engine.DrawText(255.0f, 4.0f, title, 1.0f, 1.0f, 1.0f, 0.94f);
}

}  // namespace

void drawLevel(ge::XGraphicEngine& engine, const Level& level, const ie::XInputEngine& input) {
  // Everything animates with the run's tick counter and freezes with it.
  const std::int32_t ticks = level.tickCount;
  const std::int32_t frame = (ticks / 4) % 4;
  const bool blink = (ticks / 8) % 2 == 1;
  const ScreenPoint mouse = logicalMouse(input);

  engine.SetTexture(ge::kFieldSheetSlot);
  drawInputs(engine, level, frame);
  drawFieldAndLowerLayer(engine, level, frame);
  drawDraggedUnit(engine, level, mouse);
  drawTargets(engine, level, frame, blink);
  drawBlocks(engine, level);
  drawUpperLayer(engine, level);
  drawButtons(engine);
  drawPalette(engine, level);
  if (level.failed) engine.DrawText(110.0f, 100.0f, level.failureText.c_str(), 1.0f, 1.0f, 1.0f, 0.94f);
  if (level.won) engine.DrawText(110.0f, 210.0f, "Уровень пройден!"_cp1251, 1.0f, 1.0f, 1.0f, 0.94f);
  drawStatus(engine, level, mouse);
  drawTitle(engine, level);
}
