// How each unit kind draws its two layers from the unit sheet.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <vector>

#include "game/unit.h"
#include "tests/support/recording_graphic_engine.h"

namespace {

using Rectangle = std::array<float, 8>;

// Draws one layer and returns its quads, each drawn with the unit sheet, as rectangles.
std::vector<Rectangle> drawLayer(const orvane::XUnit& unit, std::int32_t x, std::int32_t y, bool layer) {
  RecordingGraphicEngine engine;
  unit.draw(engine, x, y, 0, layer);
  // The unit sheet is selected before the first quad of a layer.
  EXPECT_EQ(CallKind::SetTexture, engine.calls.at(0).kind);
  EXPECT_EQ(ge::kUnitSheetSlot, engine.calls[0].slot);
  std::vector<Rectangle> rectangles;
  for (const RecordedQuad& quad : engine.quads()) {
    EXPECT_EQ(ge::kUnitSheetSlot, quad.texture);
    rectangles.push_back(quad.rectangle());
  }
  return rectangles;
}

orvane::ZTriggerUnit trigger(std::int32_t initialSide, std::int32_t side) {
  orvane::ZTriggerUnit unit;
  unit.initialSide = initialSide;
  unit.side = side;
  return unit;
}

orvane::ZAccumulatorUnit accumulator(std::vector<std::int32_t> stored) {
  orvane::ZAccumulatorUnit unit;
  unit.stored = std::move(stored);
  return unit;
}

TEST(UnitDrawing, EachKindDrawsTheSameLowerBodyAndItsOwnUpperLayer) {
  orvane::ZSwapperUnit swapper;
  swapper.fromLeft = 1;
  swapper.fromRight = 3;
  const orvane::ZTriggerUnit right = trigger(0, 1), left = trigger(1, 0);
  const orvane::ZAccumulatorUnit empty = accumulator({}), two = accumulator({1, 2}), three = accumulator({3, 1, 2});
  struct Case {
    const char* what;
    const orvane::XUnit& unit;
    bool layer;
    std::vector<Rectangle> quads;  // drawn at (64, 56): the lower body 8 pixels higher, the upper 12
  };
  const Rectangle lowerBody{64, 48, 48, 32, 0, 0, 0.375f, 0.25f};
  const Rectangle triggerBody{64, 44, 48, 32, 0, 0.25f, 0.375f, 0.5f};
  const Rectangle accumulatorBody{64, 44, 48, 32, 0, 0.75f, 0.375f, 1.0f};
  const std::vector<Case> cases = {
      {"trigger, lower", right, false, {lowerBody}},
      {"swapper, lower", swapper, false, {lowerBody}},
      {"accumulator, lower", two, false, {lowerBody}},
      // The mark follows the run's side, not the side the player chose.
      {"trigger to the right", right, true, {triggerBody, {96, 44, 16, 16, 0.375f, 0.375f, 0.5f, 0.5f}}},
      {"trigger to the left", left, true, {triggerBody, {64, 44, 16, 16, 0.375f, 0.25f, 0.5f, 0.375f}}},
      {"swapper", swapper, true, {{64, 44, 48, 32, 0, 0.5f, 0.375f, 0.75f}}},
      {"empty accumulator", empty, true, {accumulatorBody}},
      // The oldest leaves on the right, so its tile sits over the right column.
      {"accumulator A B", two, true,
       {accumulatorBody, {100, 54, 8, 8, 0.375f, 0.8125f, 0.4375f, 0.875f}, {84, 54, 8, 8, 0.375f, 0.875f, 0.4375f, 0.9375f}}},
      {"accumulator C A B", three, true,
       {accumulatorBody, {100, 54, 8, 8, 0.375f, 0.9375f, 0.4375f, 1.0f}, {84, 54, 8, 8, 0.375f, 0.8125f, 0.4375f, 0.875f},
        {68, 54, 8, 8, 0.375f, 0.875f, 0.4375f, 0.9375f}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(c.quads, drawLayer(c.unit, 64, 56, c.layer));
  }
}

TEST(UnitDrawing, TintColoursEveryQuadOfBothLayers) {
  const orvane::ZTriggerUnit trigger;
  const orvane::ZSwapperUnit swapper;
  const orvane::ZAccumulatorUnit accumulator = ::accumulator({1, 2, 3});
  const std::vector<std::pair<std::int32_t, std::uint32_t>> tints = {
      {0, 0xFFFFFFFFu}, {1, 0xFF00FF00u}, {2, 0xFFFF0000u}, {3, 0xFF7F7F7Fu}, {7, 0xFFFFFFFFu}, {-1, 0xFFFFFFFFu}};
  for (const orvane::XUnit* unit : std::vector<const orvane::XUnit*>{&trigger, &swapper, &accumulator}) {
    for (const auto& [tint, colour] : tints) {
      SCOPED_TRACE(testing::Message() << unit->kindName() << " tint " << tint);
      RecordingGraphicEngine engine;
      unit->draw(engine, 100, 100, tint, false);
      unit->draw(engine, 100, 100, tint, true);
      ASSERT_FALSE(engine.quads().empty());
      for (const RecordedQuad& quad : engine.quads()) {
        for (const ge::QuadVertex& vertex : quad.quad.vertices) EXPECT_EQ(colour, vertex.colour);
      }
    }
  }
}

}  // namespace
