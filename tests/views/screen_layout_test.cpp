// Clicks and pictures agree: the middle of every level cell, field tile, palette entry and level
// button as the views draw it, clicked through the game's input, acts on that very thing.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "game/draw_game.h"
#include "game/game.h"
#include "game/update_game.h"
#include "ie/input_engine_scripted.h"
#include "tests/support/recording_graphic_engine.h"

namespace {

struct LogicalPoint {
  std::int32_t x;
  std::int32_t y;
};

LogicalPoint middleOf(const RecordedQuad& quad) {
  return {static_cast<std::int32_t>(quad.x() + quad.width() / 2), static_cast<std::int32_t>(quad.y() + quad.height() / 2)};
}

class ScreenLayout : public ::testing::Test {
 protected:
  ScreenLayout() { game.introTimer = 0; }

  // The quads of one texture slot and size that drawing the current screen gives, in drawing order.
  std::vector<RecordedQuad> drawnQuads(std::int32_t slot, float width, float height) {
    engine.clear();
    drawGame(game, engine, input);
    std::vector<RecordedQuad> found;
    for (const RecordedQuad& quad : engine.quads(slot)) {
      if (quad.width() == width && quad.height() == height) found.push_back(quad);
    }
    return found;
  }

  void press(LogicalPoint point) {
    input.SetPointer(2 * point.x, 2 * point.y);
    input.SetButton(0, true);
    frame();
  }
  void release() {
    input.SetButton(0, false);
    frame();
  }
  void click(LogicalPoint point) {
    press(point);
    release();
  }
  void frame() {
    input.Update();
    updateGame(game, input);
  }

  Level& openLevel(std::size_t index) {
    game.currentLevel = static_cast<std::int32_t>(index);
    return *game.levels[index];
  }

  Game game;
  ie::ScriptedInputEngine input;
  RecordingGraphicEngine engine;
};

TEST_F(ScreenLayout, EachDrawnLevelCellOpensItsLevel) {
  const std::vector<RecordedQuad> cells = drawnQuads(ge::kButtonSheetSlot, 40, 40);
  ASSERT_EQ(game.levels.size(), cells.size());
  for (std::size_t index = 0; index < cells.size(); ++index) {
    game.currentLevel = kNoLevel;
    click(middleOf(cells[index]));
    EXPECT_EQ(static_cast<std::int32_t>(index), game.currentLevel) << "the cell drawn for level " << index + 1;
  }
}

TEST_F(ScreenLayout, EachDrawnFieldTileTakesTheClickForItsCell) {
  Level& level = openLevel(0);
  // The floor tiles of the empty field, drawn row by row.
  std::vector<RecordedQuad> floors;
  for (const RecordedQuad& quad : drawnQuads(ge::kFieldSheetSlot, 16, 16)) {
    if (quad.u0() == 0.0f && quad.v0() == 0.0f) floors.push_back(quad);
  }
  ASSERT_EQ(static_cast<std::size_t>(kFieldSize * kFieldSize), floors.size());
  for (std::size_t index = 0; index < floors.size(); ++index) {
    const std::size_t x = index % kFieldSize;
    const std::size_t y = index / kFieldSize;
    level.clear();
    click(middleOf(floors[index]));
    decltype(level.cells) expected{};
    expected[x][y] = 1;
    EXPECT_EQ(expected, level.cells) << "the floor drawn for cell (" << x << ", " << y << ")";
  }
}

TEST_F(ScreenLayout, EachDrawnPaletteEntryStartsTheDragOfItsUnit) {
  Level& level = openLevel(0);
  level.setAllowance(1, 1, 1);
  // The lower body of each palette unit, the whole width of its footprint.
  std::vector<RecordedQuad> bodies;
  for (const RecordedQuad& quad : drawnQuads(ge::kUnitSheetSlot, 48, 32)) {
    if (quad.v0() == 0.0f) bodies.push_back(quad);
  }
  ASSERT_EQ(level.palette.size(), bodies.size());
  for (std::size_t index = 0; index < bodies.size(); ++index) {
    press(middleOf(bodies[index]));
    EXPECT_TRUE(level.dragging) << "the unit drawn for palette entry " << index;
    EXPECT_EQ(static_cast<std::int32_t>(index), level.dragIndex) << "the unit drawn for palette entry " << index;
    release();
  }
}

TEST_F(ScreenLayout, EachDrawnLevelButtonDoesItsOwnWork) {
  struct Button {
    std::string name;
    std::function<void(Level&)> prepare;
    std::function<bool(const Game&, const Level&)> pressed;
  };
  const std::vector<Button> buttons = {
      {"Run", [](Level&) {}, [](const Game&, const Level& level) { return level.running; }},
      {"Stop", [](Level& level) { level.start(); }, [](const Game&, const Level& level) { return !level.running; }},
      {"Clear", [](Level& level) { level.cells[0][0] = 1; },
       [](const Game&, const Level& level) { return level.cells[0][0] == kEmptyCell; }},
      {"Exit", [](Level&) {}, [](const Game& game, const Level&) { return game.currentLevel == kNoLevel; }},
  };
  Level& level = openLevel(0);
  const std::vector<RecordedQuad> faces = drawnQuads(ge::kButtonSheetSlot, 20, 20);
  ASSERT_EQ(buttons.size(), faces.size());
  for (std::size_t index = 0; index < faces.size(); ++index) {
    openLevel(0);
    level.stop();
    buttons[index].prepare(level);
    click(middleOf(faces[index]));
    EXPECT_TRUE(buttons[index].pressed(game, level)) << "the face drawn for " << buttons[index].name;
  }
}

}  // namespace
