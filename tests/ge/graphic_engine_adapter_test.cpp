// The logical-screen adapter: what it hands the wrapped engine for each call.
#include "ge/graphic_engine_adapter.h"

#include <gtest/gtest.h>

#include "ge/quad.h"
#include "tests/support/recording_graphic_engine.h"

namespace {

class GraphicEngineAdapterTest : public testing::Test {
 protected:
  RecordingGraphicEngine engine;
  ge::ZGraphicEngineAdapter adapter{&engine};
};

TEST_F(GraphicEngineAdapterTest, BeginFrameTargetsTheCanvas) {
  adapter.BeginFrame();
  ASSERT_EQ((std::vector<CallKind>{CallKind::BeginFrame, CallKind::SetRenderTarget}), engine.kinds());
  EXPECT_EQ(ge::kCanvasSlot, engine.calls[1].slot);
}

TEST_F(GraphicEngineAdapterTest, QuadsMoveByTheLogicalScreenOffsetAndTheCallersQuadStays) {
  ge::Quad quad;
  ge::MakeQuad(quad, 0.0f, 0.0f, 1.0f, 1.0f);
  ge::TintQuad(quad, 1.0f, 0.0f, 0.0f, 1.0f);
  const ge::Quad original = quad;
  adapter.DrawQuad(&quad);

  ASSERT_EQ(1u, engine.quads().size());
  const ge::Quad passed = engine.quads()[0].quad;
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(original.vertices[i].x + 96.0f, passed.vertices[i].x);
    EXPECT_EQ(original.vertices[i].y + 8.0f, passed.vertices[i].y);
    EXPECT_EQ(original.vertices[i].u, passed.vertices[i].u);
    EXPECT_EQ(original.vertices[i].v, passed.vertices[i].v);
    EXPECT_EQ(original.vertices[i].colour, passed.vertices[i].colour);
    EXPECT_EQ(original.vertices[i].x, quad.vertices[i].x);
    EXPECT_EQ(original.vertices[i].y, quad.vertices[i].y);
  }
}

TEST_F(GraphicEngineAdapterTest, TextMovesByTheOffsetWithEverythingElseUnchanged) {
  adapter.DrawText(160.5f, 0.0f, "Hi", 0.0f, 1.0f, 0.5f, 0.92f);
  ASSERT_EQ(1u, engine.texts().size());
  const RecordedText text = engine.texts()[0];
  EXPECT_EQ(256.5f, text.x);
  EXPECT_EQ(8.0f, text.y);
  EXPECT_EQ("Hi", text.text);
  EXPECT_EQ(0.0f, text.r);
  EXPECT_EQ(1.0f, text.g);
  EXPECT_EQ(0.5f, text.b);
  EXPECT_EQ(0.92f, text.a);
}

TEST_F(GraphicEngineAdapterTest, ClearAndSetTexturePassOnAndRenderTargetIsIgnored) {
  adapter.Clear(0.25f, 0.5f, 0.75f);
  adapter.SetTexture(9);
  adapter.SetRenderTarget(5);
  ASSERT_EQ((std::vector<CallKind>{CallKind::Clear, CallKind::SetTexture}), engine.kinds());
  EXPECT_EQ(0.25f, engine.calls[0].r);
  EXPECT_EQ(0.5f, engine.calls[0].g);
  EXPECT_EQ(0.75f, engine.calls[0].b);
  EXPECT_EQ(9, engine.calls[1].slot);
}

TEST_F(GraphicEngineAdapterTest, EndFrameDrawsTheLogicalScreenOfTheCanvasOverTheWholeBackBuffer) {
  adapter.EndFrame();
  ASSERT_EQ((std::vector<CallKind>{CallKind::SetRenderTarget, CallKind::SetTexture, CallKind::DrawQuad,
                                   CallKind::EndFrame}),
            engine.kinds());
  EXPECT_EQ(-1, engine.calls[0].slot);
  EXPECT_EQ(ge::kCanvasSlot, engine.calls[1].slot);

  const RecordedQuad canvas = engine.quads()[0];
  EXPECT_EQ(ge::kCanvasSlot, canvas.texture);
  EXPECT_EQ(0.0f, canvas.x());
  EXPECT_EQ(0.0f, canvas.y());
  EXPECT_EQ(640.0f, canvas.width());
  EXPECT_EQ(480.0f, canvas.height());
  // Canvas pixels 96..416 across and 8..248 down of the 512 × 256 canvas.
  EXPECT_EQ(96.0f / 512.0f, canvas.u0());
  EXPECT_EQ(8.0f / 256.0f, canvas.v0());
  EXPECT_EQ(416.0f / 512.0f, canvas.u1());
  EXPECT_EQ(248.0f / 256.0f, canvas.v1());
  EXPECT_EQ(canvas.quad.vertices[1].u, canvas.u1());
  EXPECT_EQ(canvas.quad.vertices[1].v, canvas.v0());
  EXPECT_EQ(canvas.quad.vertices[2].u, canvas.u0());
  EXPECT_EQ(canvas.quad.vertices[2].v, canvas.v1());
  for (const ge::QuadVertex& vertex : canvas.quad.vertices) EXPECT_EQ(0xFFFFFFFFu, vertex.colour);
}

}  // namespace
