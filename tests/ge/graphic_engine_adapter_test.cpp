// The logical-screen adapter: what it hands the wrapped engine for each call.
#include "ge/graphic_engine_adapter.h"

#include <gtest/gtest.h>

#include "ge/quad.h"
#include "tests/support/recording_graphic_engine.h"

namespace {

TEST(GraphicEngineAdapter, QuadsAndTextMoveByTheLogicalScreenOffsetAndOtherCallsPassOn) {
  RecordingGraphicEngine engine;
  ge::ZGraphicEngineAdapter adapter{&engine};
  adapter.BeginFrame();
  adapter.Clear(0.25f, 0.5f, 0.75f);
  adapter.SetTexture(9);
  adapter.SetRenderTarget(5);  // ignored: the adapter owns the render target
  ge::Quad quad;
  ge::MakeQuad(quad, 1.0f, 2.0f, 3.0f, 4.0f);
  ge::TintQuad(quad, 1.0f, 0.0f, 0.0f, 1.0f);
  const ge::Quad original = quad;
  adapter.DrawQuad(&quad);
  adapter.DrawText(160.5f, 0.0f, "Hi", 0.0f, 1.0f, 0.5f, 0.92f);

  ASSERT_EQ((std::vector<CallKind>{CallKind::BeginFrame, CallKind::SetRenderTarget, CallKind::Clear,
                                   CallKind::SetTexture, CallKind::DrawQuad, CallKind::DrawText}),
            engine.kinds());
  EXPECT_EQ(ge::kCanvasSlot, engine.calls[1].slot);
  EXPECT_EQ(0.75f, engine.calls[2].b);
  EXPECT_EQ(9, engine.calls[3].slot);
  const ge::Quad passed = engine.quads()[0].quad;
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(original.vertices[i].x + 96.0f, passed.vertices[i].x);
    EXPECT_EQ(original.vertices[i].y + 8.0f, passed.vertices[i].y);
    EXPECT_EQ(original.vertices[i].u, passed.vertices[i].u);
    EXPECT_EQ(original.vertices[i].colour, passed.vertices[i].colour);
    EXPECT_EQ(original.vertices[i].x, quad.vertices[i].x) << "the caller's quad stays";
  }
  const RecordedText text = engine.texts()[0];
  EXPECT_EQ(256.5f, text.x);
  EXPECT_EQ(8.0f, text.y);
  EXPECT_EQ("Hi", text.text);
  EXPECT_EQ(0.92f, text.a);
}

TEST(GraphicEngineAdapter, EndFrameDrawsTheLogicalScreenOfTheCanvasOverTheWholeBackBuffer) {
  RecordingGraphicEngine engine;
  ge::ZGraphicEngineAdapter adapter{&engine};
  adapter.EndFrame();
  ASSERT_EQ((std::vector<CallKind>{CallKind::SetRenderTarget, CallKind::SetTexture, CallKind::DrawQuad,
                                   CallKind::EndFrame}),
            engine.kinds());
  EXPECT_EQ(-1, engine.calls[0].slot);
  const RecordedQuad canvas = engine.quads()[0];
  EXPECT_EQ(ge::kCanvasSlot, canvas.texture);
  EXPECT_EQ((std::vector<float>{0, 0, 640, 480}),
            (std::vector<float>{canvas.x(), canvas.y(), canvas.width(), canvas.height()}));
  // Canvas pixels 96..416 across and 8..248 down of the 512 × 256 canvas, corners in strip order.
  EXPECT_EQ((std::vector<float>{96.0f / 512, 8.0f / 256, 416.0f / 512, 248.0f / 256}),
            (std::vector<float>{canvas.u0(), canvas.v0(), canvas.u1(), canvas.v1()}));
  EXPECT_EQ(canvas.u1(), canvas.quad.vertices[1].u);
  EXPECT_EQ(canvas.v1(), canvas.quad.vertices[2].v);
  for (const ge::QuadVertex& vertex : canvas.quad.vertices) EXPECT_EQ(0xFFFFFFFFu, vertex.colour);
}

}  // namespace
