// The logical-screen adapter: the calls it passes on and the render target it keeps to itself. Where
// quads, texts and the presented canvas land is proven by the golden pictures, drawn through it.
#include "ge/graphic_engine_adapter.h"

#include <gtest/gtest.h>

#include <vector>

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

}  // namespace
