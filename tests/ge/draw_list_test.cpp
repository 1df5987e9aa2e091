// The draw list: a frame's calls written down, compared exactly and played back in order.
#include "ge/draw_list.h"

#include <gtest/gtest.h>

#include "ge/quad.h"

namespace {

ge::Quad someQuad(float x) {
  ge::Quad quad;
  ge::MakeQuad(quad, x, 2.0f, 30.0f, 40.0f);
  return quad;
}

// A frame using every call once.
void drawFrame(ge::XGraphicEngine& engine, float quadX, const char* text) {
  engine.BeginFrame();
  engine.SetRenderTarget(ge::kCanvasSlot);
  engine.Clear(0.0f, 0.0f, 0.0f);
  engine.SetTexture(ge::kFieldSheetSlot);
  const ge::Quad quad = someQuad(quadX);
  engine.DrawQuad(&quad);
  engine.DrawText(10.0f, 20.0f, text, 1.0f, 0.5f, 0.0f, 0.92f);
  engine.SetRenderTarget(-1);
  engine.EndFrame();
}

TEST(DrawListTest, ReplayMakesTheSameCalls) {
  ge::DrawList recorded;
  drawFrame(recorded, 4.0f, "Уровень");
  ge::DrawList replayed;
  replayed.BeginFrame();
  recorded.Replay(replayed);
  EXPECT_EQ(recorded, replayed);
  EXPECT_FALSE(recorded.Empty());
}

TEST(DrawListTest, FramesDifferWhenAnyArgumentDiffers) {
  ge::DrawList first;
  ge::DrawList second;
  drawFrame(first, 4.0f, "A");
  drawFrame(second, 4.0f, "A");
  EXPECT_EQ(first, second);
  drawFrame(second, 4.5f, "A");
  EXPECT_FALSE(first == second);
  drawFrame(second, 4.0f, "B");
  EXPECT_FALSE(first == second);
  drawFrame(second, 4.0f, "AB");
  EXPECT_FALSE(first == second);
}

TEST(DrawListTest, BeginFrameStartsAnEmptyList) {
  ge::DrawList list;
  drawFrame(list, 4.0f, "A");
  list.BeginFrame();
  EXPECT_TRUE(list.Empty());
  EXPECT_EQ(list, ge::DrawList{});
}

TEST(DrawListTest, DrawingIntoAnotherSlotIsNoted) {
  ge::DrawList list;
  drawFrame(list, 4.0f, "A");
  EXPECT_FALSE(list.DrawsIntoSlots());
  list.SetRenderTarget(ge::kUnitSheetSlot);
  EXPECT_TRUE(list.DrawsIntoSlots());
}

TEST(DrawListTest, ACanvasClearedBeforeAnyDrawingIsNoted) {
  struct Case {
    const char* name;
    bool targetCanvas;
    bool drawFirst;
    bool expected;
  };
  const Case cases[] = {
      {"canvas cleared, then drawn", true, false, true},
      {"canvas drawn, then cleared", true, true, false},
      {"target never set: it may be any", false, false, false},
  };
  for (const Case& test : cases) {
    ge::DrawList list;
    list.BeginFrame();
    if (test.targetCanvas) list.SetRenderTarget(ge::kCanvasSlot);
    const ge::Quad quad = someQuad(1.0f);
    if (test.drawFirst) list.DrawQuad(&quad);
    list.Clear(0.0f, 0.0f, 0.0f);
    list.DrawQuad(&quad);
    EXPECT_EQ(test.expected, list.ClearsCanvasFirst()) << test.name;
  }
}

}  // namespace
