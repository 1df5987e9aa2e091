// The still-frame skipper on the real OpenGL engine: which frames it leaves out and which it
// draws. That every picture it leaves on screen is the full loop's is proved on whole game
// sessions by the replay runner's --still-frames check.
#include "ge/still_frame_skipper.h"

#include <gtest/gtest.h>

#include "ge/graphic_engine_adapter.h"
#include "ge/quad.h"
#include "tests/ge/gl_test_support.h"

namespace {

class StillFrameSkipperTest : public testing::Test {
 protected:
  // A frame of the game's shape: a half-transparent quad on the canvas, so the picture takes a
  // few frames to settle after the calls stop changing.
  void drawFrame(float x) {
    adapter.BeginFrame();
    adapter.Clear(0.0f, 0.0f, 0.0f);
    adapter.SetTexture(-1);
    ge::Quad quad;
    ge::MakeQuad(quad, x, 10.0f, 40.0f, 40.0f);
    ge::TintQuad(quad, 1.0f, 0.5f, 0.0f, 0.5f);
    adapter.DrawQuad(&quad);
    adapter.EndFrame();
  }

  // Draws the same frame until the skipper leaves one out; returns how many it drew first.
  int settle(float x) {
    for (int frame = 0; frame < 1000; ++frame) {
      drawFrame(x);
      if (skipper.LastFrameSkipped()) return frame;
    }
    return -1;
  }

  ge::StillFrameSkipper skipper{HeadlessEngine()};
  ge::ZGraphicEngineAdapter adapter{&skipper};
};

TEST_F(StillFrameSkipperTest, ARepeatedFrameIsLeftOutOnceItsPictureSettles) {
  const int drawn = settle(5.0f);
  // Two frames at least: the state must be seen unchanged by a repeated frame.
  EXPECT_GE(drawn, 2);
  const std::int64_t draws = HeadlessEngine().DrawCallCount();
  for (int frame = 0; frame < 10; ++frame) drawFrame(5.0f);
  EXPECT_TRUE(skipper.LastFrameSkipped());
  EXPECT_EQ(draws, HeadlessEngine().DrawCallCount());
  EXPECT_EQ(11, skipper.SkippedFrames());
}

// A frame that draws a faint white quad straight onto the back buffer: its calls repeat, but each
// one moves the picture a little further toward white for dozens of frames.
void drawFaintOverlay(ge::XGraphicEngine& engine) {
  engine.BeginFrame();
  engine.SetRenderTarget(ge::kCanvasSlot);
  engine.Clear(0.0f, 0.0f, 0.0f);
  engine.SetRenderTarget(-1);
  engine.SetTexture(-1);
  ge::Quad quad;
  ge::MakeQuad(quad, 0.0f, 0.0f, 64.0f, 64.0f);
  ge::TintQuad(quad, 1.0f, 1.0f, 1.0f, 0.04f);
  engine.DrawQuad(&quad);
  engine.EndFrame();
}

TEST_F(StillFrameSkipperTest, RepeatedCallsAreDrawnWhileTheirPictureStillChanges) {
  constexpr int kFrames = 20;
  // Black first, so the overlay starts from a known picture.
  adapter.BeginFrame();
  adapter.Clear(0.0f, 0.0f, 0.0f);
  adapter.EndFrame();
  int previous = -1;
  for (int frame = 0; frame < kFrames; ++frame) {
    drawFaintOverlay(skipper);
    EXPECT_FALSE(skipper.LastFrameSkipped()) << "frame " << frame;
    const int shown = Screenshot(HeadlessEngine()).at(10, 10).red;
    EXPECT_GT(shown, previous) << "the overlay no longer changes the picture at frame " << frame;
    previous = shown;
  }
}

TEST_F(StillFrameSkipperTest, AChangedFrameIsDrawn) {
  ASSERT_GE(settle(5.0f), 0);
  drawFrame(6.0f);
  EXPECT_FALSE(skipper.LastFrameSkipped());
  drawFrame(6.0f);
  EXPECT_FALSE(skipper.LastFrameSkipped());
}

TEST_F(StillFrameSkipperTest, PresentAgainDrawsTheNextStillFrameOnly) {
  ASSERT_GE(settle(5.0f), 0);
  skipper.PresentAgain();
  drawFrame(5.0f);
  EXPECT_FALSE(skipper.LastFrameSkipped());
  drawFrame(5.0f);
  EXPECT_TRUE(skipper.LastFrameSkipped());
}

TEST_F(StillFrameSkipperTest, ANewSlotImageEndsTheStillness) {
  ASSERT_GE(settle(5.0f), 0);
  const std::uint8_t white[4] = {255, 255, 255, 255};
  HeadlessEngine().SetSlotImage(30, 1, 1, white, 1.0f, 1.0f);
  drawFrame(5.0f);
  EXPECT_FALSE(skipper.LastFrameSkipped());
}

}  // namespace
