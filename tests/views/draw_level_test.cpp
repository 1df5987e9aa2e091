// The level view: what is drawn where, with which tile and colour, and in which order.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "base/cp1251.h"
#include "game/draw_game.h"
#include "game/level.h"
#include "tests/support/recording_graphic_engine.h"
#include "tests/views/view_test_doubles.h"

namespace {

// A quad of a 4 × 4 tile sheet, told by its place and tile.
struct Tile {
  float x, y;
  std::int32_t column, row;

  bool operator==(const Tile&) const = default;
};
using Tiles = std::vector<Tile>;

std::ostream& operator<<(std::ostream& stream, const Tile& tile) {
  return stream << "(" << tile.x << ", " << tile.y << ") tile (" << tile.column << ", " << tile.row << ")";
}

Tile tileOf(const RecordedQuad& quad) {
  return {quad.x(), quad.y(), static_cast<std::int32_t>(std::lround(quad.u0() * 4)),
          static_cast<std::int32_t>(std::lround(quad.v0() * 4))};
}

// Every quad of a field tile is 16 × 16 and covers exactly one tile of the sheet.
void expectWholeFieldTile(const RecordedQuad& quad) {
  const std::array<float, 8> rectangle = quad.rectangle();
  EXPECT_EQ((std::array<float, 4>{16, 16, 0.25f, 0.25f}),
            (std::array<float, 4>{rectangle[2], rectangle[3], rectangle[6] - rectangle[4], rectangle[7] - rectangle[5]}));
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

  SpyUnit& place(std::int32_t x, std::int32_t y) {
    auto unit = std::make_unique<SpyUnit>();
    SpyUnit& spy = *unit;
    level.placeUnit(std::move(unit), Cell{x, y});
    return spy;
  }

  SpyUnit& prototype(std::size_t index) { return static_cast<SpyUnit&>(*level.palette[index]); }

  // The field sheet quads, all or those that pass a filter on their tile.
  Tiles fieldTiles(bool (*keep)(const Tile&) = nullptr) const {
    Tiles tiles;
    for (const RecordedQuad& quad : engine.quads(ge::kFieldSheetSlot)) {
      if (keep == nullptr || keep(tileOf(quad))) tiles.push_back(tileOf(quad));
    }
    return tiles;
  }
  // Coloured blocks: row 0 of the field sheet beyond the floor tile.
  Tiles blockTiles() const {
    return fieldTiles([](const Tile& tile) { return tile.row == 0 && tile.column != 0; });
  }

  // Index in the call log of the first field sheet quad drawn at (x, y), or the log size.
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
  ie::ScriptedInputEngine input;
};

TEST_F(DrawLevel, ConveyorsAnimateWithTheTickLeftAndUpOnesBackwards) {
  for (std::int32_t content = 1; content <= 4; ++content) level.cells[content - 1][0] = content;
  // Right and down conveyors show the frame (t div 4) mod 4 of their row, left and up ones count
  // down from frame 3; each arrow (row 3) follows its floor. The golden pictures have no up
  // conveyor.
  level.tickCount = 8;
  draw();
  const Tiles tiles = fieldTiles();
  ASSERT_GE(tiles.size(), 8u);
  EXPECT_EQ((Tiles{{16, 40, 2, 1}, {16, 40, 0, 3}, {32, 40, 2, 2}, {32, 40, 1, 3}, {48, 40, 1, 1}, {48, 40, 2, 3},
                   {64, 40, 1, 2}, {64, 40, 3, 3}}),
            Tiles(tiles.begin(), tiles.begin() + 8));
}

TEST_F(DrawLevel, PlacedUnitDrawsEachLayerOnceAtItsTopLeftCell) {
  level.setInput(0, "A");
  level.blocks.push_back({0, 5, 1});
  SpyUnit& unit = place(2, 3);
  draw();
  ASSERT_EQ(2u, unit.draws.size());
  EXPECT_EQ((DrawCall{48, 80, 0, false}), unit.draws[0]);
  EXPECT_EQ((DrawCall{48, 80, 0, true}), unit.draws[1]);
  // The lower layer comes with the field, in the row order of its top-left cell: after the floor of
  // (1, 3), before that of (5, 3). The upper layer comes after the blocks, the blocks after the field.
  EXPECT_GT(unit.draws[0].callIndex, callIndexOfQuadAt(32, 76));
  EXPECT_LE(unit.draws[0].callIndex, callIndexOfQuadAt(96, 76));
  const std::size_t blockIndex = callIndexOfQuadAt(16, 96);  // the block at (0, 5), at rest
  ASSERT_LT(blockIndex, engine.calls.size());
  EXPECT_GT(unit.draws[1].callIndex, blockIndex);
  EXPECT_GT(blockIndex, callIndexOfQuadAt(176, 160));

  // Two units: lower layers in row order of their top-left cells, then upper layers likewise.
  SpyUnit& upper = place(6, 2);
  unit.draws.clear();
  draw();
  EXPECT_LT(upper.draws.at(0).sequence, unit.draws.at(0).sequence);
  EXPECT_LT(unit.draws[0].sequence, upper.draws.at(1).sequence);
  EXPECT_LT(upper.draws[1].sequence, unit.draws.at(1).sequence);
}

TEST_F(DrawLevel, DraggedUnitFollowsThePointerInGreenOrRed) {
  level.dragging = true;
  level.dragIndex = 1;
  struct Case {
    std::int32_t displayX, displayY, conveyorAt65;  // a conveyor on (6, 5) or not
    std::vector<DrawCall> draws;
  };
  // Odd display pixels are halved toward zero; over the last two columns, the last row or off the
  // field nothing is drawn.
  const std::vector<Case> cases = {
      {200, 200, 0, {{96, 92, 1, false}, {96, 92, 1, true}}},  // a free place: green
      {200, 200, 1, {{96, 92, 2, false}, {96, 92, 2, true}}},  // a conveyor under the footprint: red
      {319, 327, 0, {{144, 152, 1, false}, {144, 152, 1, true}}},
      {320, 200, 0, {}}, {200, 328, 0, {}}, {30, 100, 0, {}}, {100, 86, 0, {}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.displayX << ", " << c.displayY);
    level.cells[6][5] = c.conveyorAt65;
    prototype(1).draws.clear();
    input.SetPointer(c.displayX, c.displayY);
    input.Update();
    draw();
    EXPECT_EQ(c.draws, prototype(1).draws);
  }

  // Without a drag, nothing follows the pointer.
  level.dragging = false;
  prototype(1).draws.clear();
  draw();
  EXPECT_TRUE(prototype(1).draws.empty());
}

TEST_F(DrawLevel, TargetsShowTheLettersStillExpectedAndBlinkTheNextDuringARun) {
  level.setTarget(3, "AB");
  const auto targetTiles = [this] { return fieldTiles([](const Tile& tile) { return tile.y >= 172; }); };
  draw();
  EXPECT_EQ((Tiles{{64, 172, 0, 2}, {64, 194, 1, 0}, {64, 188, 2, 0}}), targetTiles());
  level.delivered[3] = 1;
  draw();
  EXPECT_EQ((Tiles{{64, 172, 0, 2}, {64, 188, 2, 0}}), targetTiles());
  level.delivered[3] = 2;
  draw();
  EXPECT_EQ((Tiles{{64, 172, 0, 2}}), targetTiles());

  level.delivered[3] = 0;
  level.running = true;
  for (std::int32_t t = 0; t < 32; ++t) {
    SCOPED_TRACE(t);
    level.tickCount = t;
    draw();
    const std::int32_t frame = (t / 4) % 4;
    if ((t / 8) % 2 == 1) {
      EXPECT_EQ((Tiles{{64, 172, frame, 2}, {64, 188, 2, 0}}), targetTiles());
    } else {
      EXPECT_EQ((Tiles{{64, 172, frame, 2}, {64, 194, 1, 0}, {64, 188, 2, 0}}), targetTiles());
    }
  }
  // A stopped level does not blink, whatever its tick counter says.
  level.running = false;
  level.tickCount = 8;
  draw();
  EXPECT_EQ(3u, targetTiles().size());
}

// Where a block stands between two cells is the simulation's (blockPosition); here, where its tile
// is drawn from that place and in which order.
TEST_F(DrawLevel, BlocksAreDrawnFourPixelsAboveTheirPlaceInHeightOrder) {
  level.running = true;
  // At the start of a step every block rests 4 pixels above its cell's tile: a queued block lies
  // exactly where the stopped level shows the first letter of its column.
  level.tickCount = 64;
  level.blocks = {{4, -1, 2}};
  draw();
  EXPECT_EQ((Tiles{{80, 24, 2, 0}}), blockTiles());
  expectWholeFieldTile(engine.quads(ge::kFieldSheetSlot).back());

  // Heights 52, 52, 16: the exchange sort brings the third block first and swaps the other two.
  level.tickCount = 0;
  level.blocks = {{0, 5, 1}, {2, 5, 2}, {4, 2, 3}};
  draw();
  EXPECT_EQ((Tiles{{80, 60, 3, 0}, {48, 96, 2, 0}, {16, 96, 1, 0}}), blockTiles());
}

TEST_F(DrawLevel, StatusShowsTheHintOrTheHelpOfTheOfferedEntryUnderThePointer) {
  level.setHint("first\nsecond");
  level.setAllowance(2, -1, 0);
  level.palette[1] = std::make_unique<SpyUnit>("swapper help");
  level.palette[2] = std::make_unique<SpyUnit>("accumulator help");
  // The entry's area is 48 × 24 from its corner, right and bottom edges excluded; over the place of
  // the swapper, which is not offered, the hint stays.
  struct Case {
    std::int32_t x, y;
    std::string status;
  };
  for (const Case& c : std::vector<Case>{{210, 100, "accumulator help"}, {200, 96, "accumulator help"},
                                         {247, 119, "accumulator help"}, {248, 100, "first\nsecond"},
                                         {210, 120, "first\nsecond"}, {270, 60, "first\nsecond"}}) {
    SCOPED_TRACE(testing::Message() << c.x << ", " << c.y);
    pointAt(input, c.x, c.y);
    draw();
    std::vector<RecordedText> status;
    for (const RecordedText& text : engine.texts()) {
      if (text.x == 255.0f && text.y == 165.0f) status.push_back(text);
    }
    ASSERT_EQ(1u, status.size());
    EXPECT_EQ(c.status, status[0].text);
  }
}

TEST_F(DrawLevel, MessagesAndTitleComeLastInTheirOrder) {
  level.number = 4;
  level.difficulty = 2;
  level.setHint("hint");
  level.running = level.failed = level.won = true;
  level.failureText = "столкновение блоков"_cp1251;
  draw();
  const std::vector<RecordedText> texts = engine.texts();
  ASSERT_EQ(4u, texts.size());
  EXPECT_EQ("hint", texts[2].text);
  for (const auto& [index, text, x, y] :
       {std::tuple{0u, "столкновение блоков"_cp1251, 110.0f, 100.0f}, std::tuple{1u, "Уровень пройден!"_cp1251, 110.0f, 210.0f},
        std::tuple{3u, "Уровень 4 (Medium)"_cp1251, 255.0f, 4.0f}}) {
    EXPECT_EQ(text, texts[index].text);
    EXPECT_EQ((std::array<float, 6>{x, y, 1, 1, 1, 0.94f}), texts[index].placeAndColour());
  }
  EXPECT_EQ(CallKind::DrawText, engine.calls.back().kind);

  // Neither message without its flag.
  level.failed = level.won = false;
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
