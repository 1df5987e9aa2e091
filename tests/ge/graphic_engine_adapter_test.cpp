// The logical-screen adapter: what it hands the wrapped engine for each call, and that what the game
// draws at a logical pixel is shown at that pixel once the canvas is presented.
#include "ge/graphic_engine_adapter.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "base/display_geometry.h"
#include "ge/quad.h"
#include "tests/support/recording_graphic_engine.h"

namespace {

TEST(GraphicEngineAdapter, FrameCallsPassOnAndTheRenderTargetStaysTheCanvas) {
  RecordingGraphicEngine engine;
  ge::ZGraphicEngineAdapter adapter{&engine};
  adapter.BeginFrame();
  adapter.Clear(0.25f, 0.5f, 0.75f);
  adapter.SetTexture(9);
  adapter.SetRenderTarget(5);  // ignored: the adapter owns the render target
  ge::Quad quad;
  ge::MakeQuad(quad, 1.0f, 2.0f, 3.0f, 4.0f);
  adapter.DrawQuad(&quad);

  ASSERT_EQ((std::vector<CallKind>{CallKind::BeginFrame, CallKind::SetRenderTarget, CallKind::Clear,
                                   CallKind::SetTexture, CallKind::DrawQuad}),
            engine.kinds());
  EXPECT_EQ(ge::kCanvasSlot, engine.calls[1].slot);
  EXPECT_EQ((std::vector<float>{0.25f, 0.5f, 0.75f}),
            (std::vector<float>{engine.calls[2].r, engine.calls[2].g, engine.calls[2].b}));
  EXPECT_EQ(9, engine.calls[3].slot);
}

TEST(GraphicEngineAdapter, QuadsAndTextsMoveByOneOffsetAndKeepTheirColoursAndTextures) {
  RecordingGraphicEngine engine;
  ge::ZGraphicEngineAdapter adapter{&engine};
  ge::Quad quad;
  ge::MakeQuad(quad, 1.0f, 2.0f, 3.0f, 4.0f);
  ge::SetQuadTexture(quad, 0.25f, 0.5f, 0.75f, 1.0f);
  ge::TintQuad(quad, 1.0f, 0.0f, 0.0f, 1.0f);
  const ge::Quad original = quad;
  adapter.DrawQuad(&quad);
  adapter.DrawText(160.5f, 7.0f, "Hi", 0.0f, 1.0f, 0.5f, 0.92f);

  const ge::Quad passed = engine.quads().at(0).quad;
  const float offsetX = passed.vertices[0].x - original.vertices[0].x;
  const float offsetY = passed.vertices[0].y - original.vertices[0].y;
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(original.vertices[i].x + offsetX, passed.vertices[i].x);
    EXPECT_EQ(original.vertices[i].y + offsetY, passed.vertices[i].y);
    EXPECT_EQ(original.vertices[i].u, passed.vertices[i].u);
    EXPECT_EQ(original.vertices[i].v, passed.vertices[i].v);
    EXPECT_EQ(original.vertices[i].colour, passed.vertices[i].colour);
    EXPECT_EQ(original.vertices[i].x, quad.vertices[i].x) << "the caller's quad stays";
  }
  const RecordedText text = engine.texts().at(0);
  EXPECT_EQ((std::array<float, 6>{160.5f + offsetX, 7.0f + offsetY, 0.0f, 1.0f, 0.5f, 0.92f}), text.placeAndColour());
  EXPECT_EQ("Hi", text.text);
}

TEST(GraphicEngineAdapter, EndFramePresentsTheCanvasItDrewIntoOverTheWholeBackBuffer) {
  RecordingGraphicEngine engine;
  ge::ZGraphicEngineAdapter adapter{&engine};
  adapter.BeginFrame();
  adapter.EndFrame();
  ASSERT_EQ((std::vector<CallKind>{CallKind::BeginFrame, CallKind::SetRenderTarget, CallKind::SetRenderTarget,
                                   CallKind::SetTexture, CallKind::DrawQuad, CallKind::EndFrame}),
            engine.kinds());
  EXPECT_EQ(-1, engine.calls[2].slot) << "presented onto the back buffer";
  const RecordedQuad canvas = engine.quads()[0];
  EXPECT_EQ(engine.calls[1].slot, canvas.texture) << "the slot the frame was drawn into";
  EXPECT_EQ((std::vector<float>{0, 0, display::kBackBufferWidth, display::kBackBufferHeight}),
            (std::vector<float>{canvas.x(), canvas.y(), canvas.width(), canvas.height()}));
  // A rectangle, corners in strip order.
  const ge::QuadVertex* corner = canvas.quad.vertices;
  EXPECT_EQ((std::vector<float>{canvas.u1(), canvas.v0(), canvas.u0(), canvas.v1()}),
            (std::vector<float>{corner[1].u, corner[1].v, corner[2].u, corner[2].v}));
  for (const ge::QuadVertex& vertex : canvas.quad.vertices) EXPECT_EQ(0xFFFFFFFFu, vertex.colour);
}

// Where a point of the canvas is shown on the back buffer: through the canvas quad EndFrame draws,
// its texture rectangle spread over its place.
struct CanvasPresentation {
  RecordedQuad quad;

  float backBufferX(float canvasX) const {
    const float u = canvasX / display::kCanvasWidth;
    return quad.x() + (u - quad.u0()) / (quad.u1() - quad.u0()) * quad.width();
  }
  float backBufferY(float canvasY) const {
    const float v = canvasY / display::kCanvasHeight;
    return quad.y() + (v - quad.v0()) / (quad.v1() - quad.v0()) * quad.height();
  }
};

TEST(GraphicEngineAdapter, ALogicalPixelIsShownAtItsBackBufferPixels) {
  RecordingGraphicEngine engine;
  ge::ZGraphicEngineAdapter adapter{&engine};
  adapter.EndFrame();
  const CanvasPresentation presented{engine.quads().at(0)};

  const display::Point corners[] = {{0, 0},
                                    {display::kLogicalWidth - 1, display::kLogicalHeight - 1},
                                    {display::kLogicalWidth / 2, display::kLogicalHeight / 2},
                                    {37, 201}};
  for (const display::Point& pixel : corners) {
    engine.clear();
    ge::Quad quad;
    ge::MakeQuad(quad, static_cast<float>(pixel.x), static_cast<float>(pixel.y), 1.0f, 1.0f);
    adapter.DrawQuad(&quad);
    const RecordedQuad drawn = engine.quads().at(0);
    SCOPED_TRACE(testing::Message() << "logical pixel " << pixel.x << ", " << pixel.y);
    EXPECT_NEAR(display::ToBackBuffer(pixel.x), presented.backBufferX(drawn.x()), 1e-3);
    EXPECT_NEAR(display::ToBackBuffer(pixel.y), presented.backBufferY(drawn.y()), 1e-3);
    EXPECT_NEAR(display::ToBackBuffer(pixel.x + 1), presented.backBufferX(drawn.x() + drawn.width()), 1e-3);
    EXPECT_NEAR(display::ToBackBuffer(pixel.y + 1), presented.backBufferY(drawn.y() + drawn.height()), 1e-3);
  }
}

}  // namespace
