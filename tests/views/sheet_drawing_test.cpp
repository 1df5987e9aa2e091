// Drawing a rectangle of a tile sheet: the quad stands where it is asked and shows exactly the
// tile's pixels.
#include <gtest/gtest.h>

#include <array>

#include "game/sheet_drawing.h"
#include "tests/support/recording_graphic_engine.h"

namespace {

TEST(SheetDrawing, QuadShowsExactlyTheTilesPixelsAtThePlaceAsked) {
  // A tile wider than high and off the sheet's corner, so that a swapped axis or edge shows.
  RecordingGraphicEngine engine;
  drawSheetRect(engine, difficultyStrip(2), 110, 30, 40, 10);
  ASSERT_EQ(1u, engine.quads().size());
  const RecordedQuad quad = engine.quads()[0];
  EXPECT_EQ((std::array<float, 8>{110, 30, 40, 10, 40.0f / 80, 30.0f / 80, 80.0f / 80, 40.0f / 80}), quad.rectangle());
  EXPECT_EQ(0xFFFFFFFFu, quad.colour());
}

TEST(SheetDrawing, TintScalesEveryVertexColour) {
  RecordingGraphicEngine engine;
  drawSheetRect(engine, fieldTile(1, 3), 0, 0, 16, 16, {0.5f, 1.0f, 0.0f, 0.75f});
  const RecordedQuad quad = engine.quads().at(0);
  for (const ge::QuadVertex& vertex : quad.quad.vertices) EXPECT_EQ(0xBF7FFF00u, vertex.colour);
}

}  // namespace
