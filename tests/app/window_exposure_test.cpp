// The window's exposure mark reaching the still-frame skipper through the game's frame, on the
// real OpenGL engine: the frame after the window lost its pixels is presented even when it is still.
#include "app/window_exposure.h"

#include <gtest/gtest.h>

#include <atomic>

#include "app/game_frame.h"
#include "ge/graphic_engine_adapter.h"
#include "ge/quad.h"
#include "ge/still_frame_skipper.h"
#include "ie/input_engine_scripted.h"
#include "se/sound_engine_silent.h"
#include "tests/ge/gl_test_support.h"

namespace {

// The same half-transparent square every frame: the picture settles after a few frames and the
// skipper then leaves the frames out.
class StillSquare final : public FrameGame {
 public:
  bool Update(const ie::XInputEngine&) override { return true; }
  void Draw(ge::XGraphicEngine& graphics, const ie::XInputEngine&) override {
    graphics.SetTexture(-1);
    ge::Quad quad;
    ge::MakeQuad(quad, 5.0f, 10.0f, 40.0f, 40.0f);
    ge::TintQuad(quad, 1.0f, 0.5f, 0.0f, 0.5f);
    graphics.DrawQuad(&quad);
  }
};

class WindowExposureTest : public testing::Test {
 protected:
  WindowExposureTest() { platform.beforeEndFrame = PresentAgainWhenExposed(windowExposed, skipper); }

  void runFrame() { RunGameFrame({adapter, input, sound}, square, platform); }

  // Runs frames until the skipper leaves one out; false when it never does.
  bool settle() {
    for (int frame = 0; frame < 1000; ++frame) {
      runFrame();
      if (skipper.LastFrameSkipped()) return true;
    }
    return false;
  }

  std::atomic<bool> windowExposed{false};
  ge::StillFrameSkipper skipper{HeadlessEngine()};
  ge::ZGraphicEngineAdapter adapter{&skipper};
  ie::ScriptedInputEngine input;
  se::SilentSoundEngine sound;
  StillSquare square;
  FramePlatform platform;
};

TEST_F(WindowExposureTest, TheFrameAfterAnExposeIsPresentedThoughItIsStill) {
  ASSERT_TRUE(settle());
  windowExposed = true;
  runFrame();
  EXPECT_FALSE(skipper.LastFrameSkipped());
}

TEST_F(WindowExposureTest, AnExposeIsTakenByOneFrameOnly) {
  ASSERT_TRUE(settle());
  windowExposed = true;
  runFrame();
  runFrame();
  EXPECT_TRUE(skipper.LastFrameSkipped());
  EXPECT_FALSE(windowExposed);
}

}  // namespace
