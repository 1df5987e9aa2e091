// How each unit kind draws its two layers from the unit sheet.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <vector>

#include "game/unit.h"
#include "tests/support/recording_graphic_engine.h"

namespace {

using Rectangle = std::array<float, 8>;

// The quads drawn, each with the unit sheet, as {x, y, width, height, u0, v0, u1, v1}.
std::vector<Rectangle> sheetQuads(const RecordingGraphicEngine& engine) {
  std::vector<Rectangle> rectangles;
  for (const RecordedQuad& quad : engine.quads()) {
    EXPECT_EQ(ge::kUnitSheetSlot, quad.texture);
    rectangles.push_back({quad.x(), quad.y(), quad.width(), quad.height(), quad.u0(), quad.v0(), quad.u1(), quad.v1()});
  }
  return rectangles;
}

class UnitDrawing : public ::testing::Test {
 protected:
  void drawLayer(const orvane::XUnit& unit, std::int32_t x, std::int32_t y, bool layer, std::int32_t tint = 0) {
    engine.clear();
    unit.draw(engine, x, y, tint, layer);
    // The unit sheet is selected before the first quad of a layer.
    EXPECT_EQ(CallKind::SetTexture, engine.calls.at(0).kind);
    EXPECT_EQ(ge::kUnitSheetSlot, engine.calls[0].slot);
  }

  RecordingGraphicEngine engine;
};

TEST_F(UnitDrawing, LowerLayerIsTheSameBodyForEveryKind) {
  orvane::ZTriggerUnit trigger;
  trigger.side = 1;
  orvane::ZSwapperUnit swapper;
  orvane::ZAccumulatorUnit accumulator;
  accumulator.stored = {1, 2};
  const std::vector<const orvane::XUnit*> units = {&trigger, &swapper, &accumulator};
  for (const orvane::XUnit* unit : units) {
    SCOPED_TRACE(unit->kindName());
    drawLayer(*unit, 64, 56, false);
    EXPECT_EQ((std::vector<Rectangle>{{64, 48, 48, 32, 0, 0, 0.375f, 0.25f}}), sheetQuads(engine));
  }
}

TEST_F(UnitDrawing, TriggerUpperLayerMarksTheSideOfItsNextOutput) {
  orvane::ZTriggerUnit trigger;
  trigger.side = 1;
  drawLayer(trigger, 32, 80, true);
  EXPECT_EQ((std::vector<Rectangle>{{32, 68, 48, 32, 0, 0.25f, 0.375f, 0.5f}, {64, 68, 16, 16, 0.375f, 0.375f, 0.5f, 0.5f}}), sheetQuads(engine));

  // The mark follows the run's side, not the side the player chose.
  trigger.initialSide = 1;
  trigger.side = 0;
  drawLayer(trigger, 32, 80, true);
  EXPECT_EQ((std::vector<Rectangle>{{32, 68, 48, 32, 0, 0.25f, 0.375f, 0.5f}, {32, 68, 16, 16, 0.375f, 0.25f, 0.5f, 0.375f}}), sheetQuads(engine));
}

TEST_F(UnitDrawing, SwapperUpperLayerIsItsBodyAlone) {
  orvane::ZSwapperUnit swapper;
  swapper.fromLeft = 1;
  swapper.fromRight = 3;
  drawLayer(swapper, 16, 44, true);
  EXPECT_EQ((std::vector<Rectangle>{{16, 32, 48, 32, 0, 0.5f, 0.375f, 0.75f}}), sheetQuads(engine));
}

TEST_F(UnitDrawing, AccumulatorShowsStoredColoursAboveTheColumnsTheyLeaveBy) {
  orvane::ZAccumulatorUnit accumulator;
  drawLayer(accumulator, 48, 92, true);
  EXPECT_EQ((std::vector<Rectangle>{{48, 80, 48, 32, 0, 0.75f, 0.375f, 1.0f}}), sheetQuads(engine));

  // A then B: the oldest leaves on the right, so its tile sits over the right column.
  accumulator.stored = {1, 2};
  drawLayer(accumulator, 48, 92, true);
  EXPECT_EQ((std::vector<Rectangle>{{48, 80, 48, 32, 0, 0.75f, 0.375f, 1.0f},
               {84, 90, 8, 8, 0.375f, 0.8125f, 0.4375f, 0.875f},
               {68, 90, 8, 8, 0.375f, 0.875f, 0.4375f, 0.9375f}}), sheetQuads(engine));

  accumulator.stored = {3, 1, 2};
  drawLayer(accumulator, 48, 92, true);
  EXPECT_EQ((std::vector<Rectangle>{{48, 80, 48, 32, 0, 0.75f, 0.375f, 1.0f},
               {84, 90, 8, 8, 0.375f, 0.9375f, 0.4375f, 1.0f},
               {68, 90, 8, 8, 0.375f, 0.8125f, 0.4375f, 0.875f},
               {52, 90, 8, 8, 0.375f, 0.875f, 0.4375f, 0.9375f}}), sheetQuads(engine));
}

TEST_F(UnitDrawing, TintColoursEveryQuadOfBothLayers) {
  orvane::ZTriggerUnit trigger;
  orvane::ZSwapperUnit swapper;
  orvane::ZAccumulatorUnit accumulator;
  accumulator.stored = {1, 2, 3};
  const std::vector<const orvane::XUnit*> units = {&trigger, &swapper, &accumulator};
  const std::vector<std::pair<std::int32_t, std::uint32_t>> tints = {
      {0, 0xFFFFFFFFu}, {1, 0xFF00FF00u}, {2, 0xFFFF0000u}, {3, 0xFF7F7F7Fu}, {7, 0xFFFFFFFFu}, {-1, 0xFFFFFFFFu}};
  for (const orvane::XUnit* unit : units) {
    for (const auto& [tint, colour] : tints) {
      SCOPED_TRACE(testing::Message() << unit->kindName() << " tint " << tint);
      engine.clear();
      unit->draw(engine, 100, 100, tint, false);
      unit->draw(engine, 100, 100, tint, true);
      const std::vector<RecordedQuad> quads = engine.quads();
      ASSERT_FALSE(quads.empty());
      for (const RecordedQuad& quad : quads) {
        for (const ge::QuadVertex& vertex : quad.quad.vertices) EXPECT_EQ(colour, vertex.colour);
      }
    }
  }
}

}  // namespace
