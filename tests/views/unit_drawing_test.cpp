// How each unit kind draws its two layers from the unit sheet.
#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <vector>

#include "game/sheet_layout.h"
#include "game/unit.h"
#include "tests/support/recording_graphic_engine.h"
#include "tests/views/view_test_doubles.h"

namespace {

// A quad of the unit sheet, told by its place on the screen and the tile it shows.
struct Piece {
  float x, y, width, height;
  SheetRect tile;

  bool operator==(const Piece&) const = default;
};

std::ostream& operator<<(std::ostream& stream, const Piece& piece) {
  return stream << piece.width << " x " << piece.height << " at (" << piece.x << ", " << piece.y << "): " << piece.tile;
}

// Draws one layer and returns its quads, each drawn with the unit sheet.
std::vector<Piece> drawLayer(const orvane::XUnit& unit, std::int32_t x, std::int32_t y, bool layer) {
  RecordingGraphicEngine engine;
  unit.draw(engine, x, y, 0, layer);
  // The unit sheet is selected before the first quad of a layer.
  EXPECT_EQ(CallKind::SetTexture, engine.calls.at(0).kind);
  EXPECT_EQ(ge::kUnitSheetSlot, engine.calls[0].slot);
  std::vector<Piece> pieces;
  for (const RecordedQuad& quad : engine.quads()) {
    EXPECT_EQ(ge::kUnitSheetSlot, quad.texture);
    pieces.push_back({quad.x(), quad.y(), quad.width(), quad.height(), sheetRectOf(quad, kUnitSheet)});
  }
  return pieces;
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

// The bodies of every kind are in the golden pictures; what a still picture does not show is which
// side the trigger's mark follows and where an accumulator's stored blocks go.
TEST(UnitDrawing, UpperLayerShowsTheTriggersRunSideAndTheAccumulatorsStoreOldestOnTheRight) {
  const orvane::ZTriggerUnit right = trigger(0, 1);
  const orvane::ZAccumulatorUnit two = accumulator({1, 2}), three = accumulator({3, 1, 2});
  struct Case {
    const char* what;
    const orvane::XUnit& unit;
    std::vector<Piece> pieces;  // drawn at (64, 56): the upper layer 12 pixels higher
  };
  const Piece accumulatorBody{64, 44, 48, 32, kAccumulatorBodyTile};
  const auto stored = [](float x, std::int32_t colour) { return Piece{x, 54, 8, 8, storedColourTile(colour)}; };
  const std::vector<Case> cases = {
      // The mark follows the run's side, not the side the player chose.
      {"trigger to the right", right, {{64, 44, 48, 32, kTriggerBodyTile}, {96, 44, 16, 16, sideMarkTile(1)}}},
      {"accumulator A B", two, {accumulatorBody, stored(100, 1), stored(84, 2)}},
      {"accumulator C A B", three, {accumulatorBody, stored(100, 3), stored(84, 1), stored(68, 2)}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(c.pieces, drawLayer(c.unit, 64, 56, true));
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
