// The level view: what is drawn where, with which tile and colour, and in which order.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "game/cp1251.h"
#include "game/draw_game.h"
#include "game/level.h"
#include "tests/views/view_test_doubles.h"
#include "tests/support/recording_graphic_engine.h"

namespace {

// A quad of a 4 × 4 tile sheet, told by its place and tile.
struct Tile {
  float x;
  float y;
  std::int32_t column;
  std::int32_t row;

  bool operator==(const Tile&) const = default;
};

std::ostream& operator<<(std::ostream& stream, const Tile& tile) {
  return stream << "(" << tile.x << ", " << tile.y << ") tile (" << tile.column << ", " << tile.row << ")";
}

Tile tileOf(const RecordedQuad& quad) {
  return {quad.x(), quad.y(), static_cast<std::int32_t>(std::lround(quad.u0() * 4)),
          static_cast<std::int32_t>(std::lround(quad.v0() * 4))};
}

// Every quad of a field tile is 16 × 16 and covers exactly one tile of the sheet.
void expectWholeFieldTile(const RecordedQuad& quad) {
  EXPECT_FLOAT_EQ(16.0f, quad.width());
  EXPECT_FLOAT_EQ(16.0f, quad.height());
  EXPECT_FLOAT_EQ(0.25f, quad.u1() - quad.u0());
  EXPECT_FLOAT_EQ(0.25f, quad.v1() - quad.v0());
}

class DrawLevel : public ::testing::Test {
 protected:
  DrawLevel() {
    // Spies instead of the real prototypes, so that the palette's draws can be checked directly.
    for (auto& prototype : level.palette) prototype = std::make_unique<SpyUnit>();
  }

  void draw() {
    engine.clear();
    drawLevel(engine, level, input);
  }

  // Halved, as the game reads it: display pixel (2x, 2y) is logical pixel (x, y).
  void pointAt(std::int32_t logicalX, std::int32_t logicalY) {
    input.mouseX = 2 * logicalX;
    input.mouseY = 2 * logicalY;
  }

  SpyUnit& place(std::int32_t x, std::int32_t y) {
    auto unit = std::make_unique<SpyUnit>();
    SpyUnit& spy = *unit;
    level.placeUnit(std::move(unit), Cell{x, y});
    return spy;
  }

  SpyUnit& prototype(std::size_t index) { return static_cast<SpyUnit&>(*level.palette[index]); }

  std::vector<Tile> fieldTiles() const {
    std::vector<Tile> tiles;
    for (const RecordedQuad& quad : engine.quadsWithTexture(ge::kFieldSheetSlot)) tiles.push_back(tileOf(quad));
    return tiles;
  }

  // The field sheet quads drawn at one place, in order.
  std::vector<RecordedQuad> quadsAt(float x, float y) const {
    std::vector<RecordedQuad> found;
    for (const RecordedQuad& quad : engine.quadsWithTexture(ge::kFieldSheetSlot)) {
      if (quad.x() == x && quad.y() == y) found.push_back(quad);
    }
    return found;
  }

  // Index in the call log of the first quad drawn at (x, y) with the field sheet, or the log size.
  std::size_t callIndexOfQuadAt(float x, float y) const {
    for (std::size_t i = 0; i < engine.calls.size(); ++i) {
      const RecordedCall& call = engine.calls[i];
      if (call.kind == CallKind::DrawQuad && call.texture == ge::kFieldSheetSlot && call.quad.vertices[0].x == x &&
          call.quad.vertices[0].y == y) {
        return i;
      }
    }
    return engine.calls.size();
  }

  Level level{nullptr};
  RecordingGraphicEngine engine;
  MouseAt input;
};

TEST_F(DrawLevel, StoppedLevelShowsTheInputQueueWhereTheRunWillPutIt) {
  level.setInput(5, "ABC");
  draw();
  ASSERT_FALSE(engine.calls.empty());
  EXPECT_EQ(CallKind::SetTexture, engine.calls[0].kind);
  EXPECT_EQ(ge::kFieldSheetSlot, engine.calls[0].slot);
  const std::vector<Tile> tiles = fieldTiles();
  ASSERT_GE(tiles.size(), 6u);
  const std::vector<Tile> inputs(tiles.begin(), tiles.begin() + 6);
  EXPECT_EQ((std::vector<Tile>{{96, 4, 0, 2}, {96, 16, 0, 2}, {96, 28, 0, 2}, {96, 24, 1, 0}, {96, 12, 2, 0},
                               {96, 0, 3, 0}}),
            inputs);
  for (std::size_t i = 0; i < 6; ++i) expectWholeFieldTile(engine.quads()[i]);

  // While running, the queued blocks are drawn as blocks instead; the feeders stay and animate.
  level.start();
  level.tickCount = 5;  // frame 1
  level.blocks.clear();
  draw();
  const std::vector<Tile> runningTiles = fieldTiles();
  EXPECT_EQ((std::vector<Tile>{{96, 4, 1, 2}, {96, 16, 1, 2}, {96, 28, 1, 2}}),
            std::vector<Tile>(runningTiles.begin(), runningTiles.begin() + 3));
  EXPECT_EQ(Tile({16, 40, 0, 0}), runningTiles[3]);  // the field follows at once
}

TEST_F(DrawLevel, EmptyInputsAndTargetsDrawNothingInTheirColumns) {
  draw();
  for (const RecordedQuad& quad : engine.quadsWithTexture(ge::kFieldSheetSlot)) {
    EXPECT_GE(quad.y(), 40.0f);
    EXPECT_LE(quad.y(), 40.0f + 12 * 10);
  }
}

TEST_F(DrawLevel, FieldTilesFollowTheCellsRowByRow) {
  level.cells[0][0] = 1;
  level.cells[1][0] = 2;
  level.cells[2][0] = 3;
  level.cells[3][0] = 4;
  level.cells[10][10] = 2;
  draw();
  // Each uncovered cell selects the field sheet before its floor quad, row by row; a conveyor's
  // arrow follows its floor at once.
  std::vector<Tile> floors;
  std::vector<RecordedQuad> arrows;
  for (std::size_t i = 0; i < engine.calls.size(); ++i) {
    const RecordedCall& call = engine.calls[i];
    if (call.kind != CallKind::DrawQuad || call.texture != ge::kFieldSheetSlot) continue;
    const RecordedQuad quad{call.quad, call.texture};
    ASSERT_GT(i, 0u);
    const RecordedCall& previous = engine.calls[i - 1];
    if (tileOf(quad).row == 3) {
      arrows.push_back(quad);
      EXPECT_EQ(CallKind::DrawQuad, previous.kind);
      EXPECT_EQ(quad.x(), previous.quad.vertices[0].x);
      EXPECT_EQ(quad.y(), previous.quad.vertices[0].y);
      continue;
    }
    EXPECT_EQ(CallKind::SetTexture, previous.kind);
    EXPECT_EQ(ge::kFieldSheetSlot, previous.slot);
    floors.push_back(tileOf(quad));
  }
  ASSERT_EQ(121u, floors.size());
  for (std::int32_t y = 0; y < 11; ++y) {
    for (std::int32_t x = 0; x < 11; ++x) {
      const Tile& floor = floors[static_cast<std::size_t>(11 * y + x)];
      EXPECT_EQ(16.0f + 16 * x, floor.x);
      EXPECT_EQ(40.0f + 12 * y, floor.y);
    }
  }
  // Frame 0: right and down conveyors show frame 0, left and up ones play backwards from frame 3.
  EXPECT_EQ(Tile({16, 40, 0, 1}), floors[0]);
  EXPECT_EQ(Tile({32, 40, 0, 2}), floors[1]);
  EXPECT_EQ(Tile({48, 40, 3, 1}), floors[2]);
  EXPECT_EQ(Tile({64, 40, 3, 2}), floors[3]);
  EXPECT_EQ(Tile({80, 40, 0, 0}), floors[4]);

  // One translucent arrow per conveyor.
  ASSERT_EQ(5u, arrows.size());
  const std::vector<Tile> expectedArrows = {{16, 40, 0, 3}, {32, 40, 1, 3}, {48, 40, 2, 3}, {64, 40, 3, 3},
                                            {176, 160, 1, 3}};
  for (std::size_t i = 0; i < arrows.size(); ++i) {
    EXPECT_EQ(expectedArrows[i], tileOf(arrows[i]));
    expectWholeFieldTile(arrows[i]);
    for (const ge::QuadVertex& vertex : arrows[i].quad.vertices) EXPECT_EQ(0xBFFFFFFFu, vertex.colour);
  }
  const std::vector<RecordedQuad> atCorner = quadsAt(176, 160);
  ASSERT_EQ(2u, atCorner.size());
  EXPECT_EQ(0xFFFFFFFFu, atCorner[0].colour());
  EXPECT_EQ(0xBFFFFFFFu, atCorner[1].colour());

  // t = 8 is frame 2: an up conveyor then shows frame 1 of the vertical row. Floors and arrows
  // alternate in the first row.
  level.tickCount = 8;
  draw();
  const std::vector<Tile> tiles = fieldTiles();
  EXPECT_EQ(Tile({16, 40, 2, 1}), tiles[0]);
  EXPECT_EQ(Tile({32, 40, 2, 2}), tiles[2]);
  EXPECT_EQ(Tile({48, 40, 1, 1}), tiles[4]);
  EXPECT_EQ(Tile({64, 40, 1, 2}), tiles[6]);
}

TEST_F(DrawLevel, PlacedUnitDrawsEachLayerOnceAtItsTopLeftCell) {
  level.setInput(0, "A");
  level.blocks.push_back({0, 5, 1});
  SpyUnit& unit = place(2, 3);
  draw();
  // The six covered cells get no floor.
  std::size_t floorCount = 0;
  for (const Tile& tile : fieldTiles()) {
    if (tile.y >= 40 && tile.y <= 160 && tile.column == 0 && tile.row == 0) ++floorCount;
  }
  EXPECT_EQ(115u, floorCount);
  for (std::int32_t x = 2; x <= 4; ++x) {
    EXPECT_TRUE(quadsAt(16.0f + 16 * x, 40.0f + 12 * 3).empty());
    EXPECT_TRUE(quadsAt(16.0f + 16 * x, 40.0f + 12 * 4).empty());
  }

  ASSERT_EQ(2u, unit.draws.size());
  EXPECT_EQ((DrawCall{48, 80, 0, false}), unit.draws[0]);
  EXPECT_EQ((DrawCall{48, 80, 0, true}), unit.draws[1]);
  // The lower layer comes with the field, in the row order of its top-left cell: after the floor of
  // (1, 3), before that of (5, 3). The upper layer comes after the blocks.
  EXPECT_GT(unit.draws[0].callIndex, callIndexOfQuadAt(32, 76));
  EXPECT_LE(unit.draws[0].callIndex, callIndexOfQuadAt(96, 76));
  const std::size_t blockIndex = callIndexOfQuadAt(16, 96);  // the block at (0, 5), at rest
  ASSERT_LT(blockIndex, engine.calls.size());
  EXPECT_GT(unit.draws[1].callIndex, blockIndex);
  EXPECT_GT(blockIndex, callIndexOfQuadAt(176, 160));  // blocks after the whole field
}

TEST_F(DrawLevel, UnitsAreDrawnInRowOrderOfTheirTopLeftCells) {
  SpyUnit& lower = place(0, 5);
  SpyUnit& upper = place(6, 2);
  draw();
  ASSERT_EQ(2u, lower.draws.size());
  ASSERT_EQ(2u, upper.draws.size());
  EXPECT_LT(upper.draws[0].sequence, lower.draws[0].sequence);
  EXPECT_LT(lower.draws[0].sequence, upper.draws[1].sequence);
  EXPECT_LT(upper.draws[1].sequence, lower.draws[1].sequence);
}

TEST_F(DrawLevel, DraggedUnitFollowsThePointerInGreenOrRed) {
  level.dragging = true;
  level.dragIndex = 1;
  pointAt(100, 100);
  draw();
  ASSERT_EQ(2u, prototype(1).draws.size());
  EXPECT_EQ((DrawCall{96, 92, 1, false}), prototype(1).draws[0]);
  EXPECT_EQ((DrawCall{96, 92, 1, true}), prototype(1).draws[1]);
  // The field sheet is selected again at once for the targets.
  const std::size_t after = prototype(1).draws[1].callIndex;
  ASSERT_LT(after, engine.calls.size());
  EXPECT_EQ(CallKind::SetTexture, engine.calls[after].kind);
  EXPECT_EQ(ge::kFieldSheetSlot, engine.calls[after].slot);
  // It comes after the whole field.
  EXPECT_GT(prototype(1).draws[0].callIndex, callIndexOfQuadAt(176, 160));

  // A conveyor under the footprint: red.
  level.cells[6][5] = 1;
  prototype(1).draws.clear();
  draw();
  ASSERT_EQ(2u, prototype(1).draws.size());
  EXPECT_EQ((DrawCall{96, 92, 2, false}), prototype(1).draws[0]);
  EXPECT_EQ((DrawCall{96, 92, 2, true}), prototype(1).draws[1]);

  // The last place that can be a top-left cell, and odd display pixels halved toward zero.
  level.cells[6][5] = 0;
  prototype(1).draws.clear();
  input.mouseX = 319;
  input.mouseY = 327;
  draw();
  ASSERT_EQ(2u, prototype(1).draws.size());
  EXPECT_EQ((DrawCall{144, 152, 1, false}), prototype(1).draws[0]);

  // Over the last two columns or the last row nothing is drawn, and no texture selected.
  for (const auto& [x, y] : std::vector<std::pair<std::int32_t, std::int32_t>>{{160, 100}, {100, 164}, {15, 50}, {50, 43}}) {
    SCOPED_TRACE(testing::Message() << x << ", " << y);
    prototype(1).draws.clear();
    pointAt(x, y);
    draw();
    EXPECT_TRUE(prototype(1).draws.empty());
  }

  // Without a drag, nothing follows the pointer.
  level.dragging = false;
  pointAt(100, 100);
  draw();
  EXPECT_TRUE(prototype(1).draws.empty());
}

TEST_F(DrawLevel, TargetsShowTheLettersStillExpectedAndBlinkTheNextDuringARun) {
  level.setTarget(3, "AB");
  auto targetTiles = [this] {
    std::vector<Tile> tiles;
    for (const Tile& tile : fieldTiles()) {
      if (tile.y >= 172) tiles.push_back(tile);
    }
    return tiles;
  };
  draw();
  EXPECT_EQ((std::vector<Tile>{{64, 172, 0, 2}, {64, 194, 1, 0}, {64, 188, 2, 0}}), targetTiles());
  level.delivered[3] = 1;
  draw();
  EXPECT_EQ((std::vector<Tile>{{64, 172, 0, 2}, {64, 188, 2, 0}}), targetTiles());
  level.delivered[3] = 2;
  draw();
  EXPECT_EQ((std::vector<Tile>{{64, 172, 0, 2}}), targetTiles());

  level.delivered[3] = 0;
  level.running = true;
  for (std::int32_t t = 0; t < 32; ++t) {
    SCOPED_TRACE(t);
    level.tickCount = t;
    draw();
    const std::int32_t frame = (t / 4) % 4;
    if ((t / 8) % 2 == 1) {
      EXPECT_EQ((std::vector<Tile>{{64, 172, frame, 2}, {64, 188, 2, 0}}), targetTiles());
    } else {
      EXPECT_EQ((std::vector<Tile>{{64, 172, frame, 2}, {64, 194, 1, 0}, {64, 188, 2, 0}}), targetTiles());
    }
  }
  // A stopped level does not blink, whatever its tick counter says.
  level.running = false;
  level.tickCount = 8;
  draw();
  EXPECT_EQ(3u, targetTiles().size());
}

TEST_F(DrawLevel, BlocksGlideFromTheirCellTowardTheNextOne) {
  level.cells[2][3] = 1;
  level.cells[2][6] = 2;
  level.cells[7][7] = 3;
  level.cells[7][9] = 4;
  level.blocks = {{2, 3, 1}, {2, 6, 2}, {4, -1, 3}, {7, 7, 1}, {7, 9, 2}, {9, 2, 3}, {5, 11, 1}};
  level.running = true;
  level.tickCount = 37;  // frame 1, glideX 9, glideY 6
  draw();
  std::vector<Tile> blocks;
  for (const Tile& tile : fieldTiles()) {
    if (tile.row == 0 && tile.column != 0) blocks.push_back(tile);
  }
  // Sorted by height on the screen; queued, uncovered and fallen-out blocks all glide down.
  EXPECT_EQ((std::vector<Tile>{{80, 30, 3, 0},
                               {160, 66, 3, 0},
                               {57, 72, 1, 0},
                               {48, 114, 2, 0},
                               {119, 120, 1, 0},
                               {128, 138, 2, 0},
                               {96, 174, 1, 0}}),
            blocks);

  // At the start of a step every block rests 4 pixels above its cell's tile: a queued block lies
  // exactly where the stopped level shows the first letter of its column.
  level.tickCount = 64;
  level.blocks = {{4, -1, 2}};
  draw();
  const std::vector<RecordedQuad> quads = quadsAt(80, 24);
  ASSERT_EQ(1u, quads.size());
  EXPECT_EQ(Tile({80, 24, 2, 0}), tileOf(quads[0]));
  expectWholeFieldTile(quads[0]);
}

TEST_F(DrawLevel, BlocksAtTheSameHeightKeepTheOrderOfTheExchangeSort) {
  // Heights 52, 52, 16: the exchange sort brings the third block first and swaps the other two.
  level.blocks = {{0, 5, 1}, {2, 5, 2}, {4, 2, 3}};
  level.running = true;
  draw();
  std::vector<Tile> blocks;
  for (const Tile& tile : fieldTiles()) {
    if (tile.row == 0 && tile.column != 0) blocks.push_back(tile);
  }
  EXPECT_EQ((std::vector<Tile>{{80, 60, 3, 0}, {48, 96, 2, 0}, {16, 96, 1, 0}}), blocks);
}

TEST_F(DrawLevel, ButtonsFollowTheFieldAndTheUpperLayer) {
  SpyUnit& unit = place(4, 4);
  draw();
  const std::vector<RecordedQuad> buttons = engine.quadsWithTexture(ge::kButtonSheetSlot);
  ASSERT_EQ(4u, buttons.size());
  for (std::int32_t b = 0; b < 4; ++b) {
    const RecordedQuad& button = buttons[static_cast<std::size_t>(b)];
    EXPECT_FLOAT_EQ(200.0f + 20 * b, button.x());
    EXPECT_FLOAT_EQ(20.0f, button.y());
    EXPECT_FLOAT_EQ(20.0f, button.width());
    EXPECT_FLOAT_EQ(20.0f, button.height());
    EXPECT_FLOAT_EQ(0.25f * static_cast<float>(b), button.u0());
    EXPECT_FLOAT_EQ(0.25f * static_cast<float>(b + 1), button.u1());
    EXPECT_FLOAT_EQ(0.0f, button.v0());
    EXPECT_FLOAT_EQ(0.25f, button.v1());
    EXPECT_EQ(0xFFFFFFFFu, button.colour());
  }
  std::size_t firstButton = 0;
  while (engine.calls[firstButton].kind != CallKind::SetTexture || engine.calls[firstButton].slot != 9) ++firstButton;
  EXPECT_GE(firstButton, unit.draws.back().callIndex);
}

TEST_F(DrawLevel, PaletteShowsOfferedKindsWithTheirCounts) {
  level.setAllowance(2, -1, 0);
  draw();
  ASSERT_EQ(2u, prototype(0).draws.size());
  EXPECT_EQ((DrawCall{200, 56, 0, false}), prototype(0).draws[0]);
  EXPECT_EQ((DrawCall{200, 56, 0, true}), prototype(0).draws[1]);
  EXPECT_TRUE(prototype(1).draws.empty());
  ASSERT_EQ(2u, prototype(2).draws.size());
  EXPECT_EQ((DrawCall{200, 96, 3, false}), prototype(2).draws[0]);
  EXPECT_EQ((DrawCall{200, 96, 3, true}), prototype(2).draws[1]);

  const std::vector<RecordedText> texts = engine.texts();
  ASSERT_GE(texts.size(), 2u);
  EXPECT_EQ("x2", texts[0].text);
  EXPECT_FLOAT_EQ(240.0f, texts[0].x);
  EXPECT_FLOAT_EQ(68.0f, texts[0].y);
  EXPECT_EQ("x0", texts[1].text);
  EXPECT_FLOAT_EQ(240.0f, texts[1].x);
  EXPECT_FLOAT_EQ(108.0f, texts[1].y);
  for (std::size_t i = 0; i < 2; ++i) {
    EXPECT_EQ(1.0f, texts[i].r);
    EXPECT_EQ(1.0f, texts[i].g);
    EXPECT_EQ(1.0f, texts[i].b);
    EXPECT_EQ(1.0f, texts[i].a);
  }
  // Each count follows the two layers of its entry.
  EXPECT_GT(engine.calls.size(), prototype(0).draws[1].callIndex);
  EXPECT_EQ(CallKind::DrawText, engine.calls[prototype(0).draws[1].callIndex].kind);

  // The second column of the panel.
  level.setAllowance(-1, 5, -1);
  prototype(0).draws.clear();
  prototype(2).draws.clear();
  draw();
  ASSERT_EQ(2u, prototype(1).draws.size());
  EXPECT_EQ((DrawCall{256, 56, 0, false}), prototype(1).draws[0]);
  EXPECT_TRUE(prototype(0).draws.empty());
  EXPECT_TRUE(prototype(2).draws.empty());
  EXPECT_EQ("x5", engine.texts()[0].text);
  EXPECT_FLOAT_EQ(296.0f, engine.texts()[0].x);
}

TEST_F(DrawLevel, StatusShowsTheHintOrTheHelpOfTheOfferedEntryUnderThePointer) {
  level.setHint("first\nsecond");
  level.setAllowance(2, -1, 0);
  for (auto& prototype : level.palette) prototype = std::make_unique<SpyUnit>("help");
  level.palette[2] = std::make_unique<SpyUnit>("accumulator help");
  level.palette[1] = std::make_unique<SpyUnit>("swapper help");
  auto status = [this] {
    for (const RecordedText& text : engine.texts()) {
      if (text.x == 255.0f && text.y == 165.0f) return text;
    }
    ADD_FAILURE() << "no status text";
    return RecordedText{};
  };

  pointAt(210, 100);
  draw();
  EXPECT_EQ("accumulator help", status().text);
  EXPECT_FLOAT_EQ(0.8f, status().r);
  EXPECT_FLOAT_EQ(0.8f, status().g);
  EXPECT_FLOAT_EQ(0.8f, status().b);
  EXPECT_FLOAT_EQ(0.94f, status().a);

  // Over the place of the swapper, which is not offered, the hint stays.
  pointAt(270, 60);
  draw();
  EXPECT_EQ("first\nsecond", status().text);

  // The entry's area is 48 × 24 from its corner, right and bottom edges excluded.
  pointAt(200, 96);
  draw();
  EXPECT_EQ("accumulator help", status().text);
  pointAt(247, 119);
  draw();
  EXPECT_EQ("accumulator help", status().text);
  pointAt(248, 100);
  draw();
  EXPECT_EQ("first\nsecond", status().text);
  pointAt(210, 120);
  draw();
  EXPECT_EQ("first\nsecond", status().text);
}

TEST_F(DrawLevel, MessagesAndTitleComeLastInTheirOrder) {
  level.number = 4;
  level.difficulty = 2;
  level.setHint("hint");
  level.running = true;
  level.failed = true;
  level.won = true;
  level.failureText = "столкновение блоков"_cp1251;
  draw();
  const std::vector<RecordedText> texts = engine.texts();
  ASSERT_EQ(4u, texts.size());
  EXPECT_EQ("столкновение блоков"_cp1251, texts[0].text);
  EXPECT_FLOAT_EQ(110.0f, texts[0].x);
  EXPECT_FLOAT_EQ(100.0f, texts[0].y);
  EXPECT_EQ("Уровень пройден!"_cp1251, texts[1].text);
  EXPECT_FLOAT_EQ(110.0f, texts[1].x);
  EXPECT_FLOAT_EQ(210.0f, texts[1].y);
  EXPECT_EQ("hint", texts[2].text);
  EXPECT_EQ("Уровень 4 (Medium)"_cp1251, texts[3].text);
  EXPECT_FLOAT_EQ(255.0f, texts[3].x);
  EXPECT_FLOAT_EQ(4.0f, texts[3].y);
  for (std::size_t i : {0u, 1u, 3u}) {
    EXPECT_EQ(1.0f, texts[i].r);
    EXPECT_EQ(1.0f, texts[i].g);
    EXPECT_EQ(1.0f, texts[i].b);
    EXPECT_EQ(0.94f, texts[i].a);
  }
  EXPECT_EQ(CallKind::DrawText, engine.calls.back().kind);

  // Neither message without its flag.
  level.failed = false;
  level.won = false;
  draw();
  ASSERT_EQ(2u, engine.texts().size());
  EXPECT_EQ("hint", engine.texts()[0].text);

  // The longest title of the catalogue fills its buffer exactly; nothing longer overruns it.
  level.number = 13;
  draw();
  EXPECT_EQ("Уровень 13 (Medium)"_cp1251, engine.texts().back().text);
  level.number = 2147483647;
  level.difficulty = 9;
  draw();
  EXPECT_EQ(19u, engine.texts().back().text.size());
}

}  // namespace
