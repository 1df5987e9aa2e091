// The Direct3D 9 engine full screen under Wine, on a display given a 640 × 480 mode: the device
// is lost when the game stops being the active program (Alt+Tab) and comes back, reset by
// RecoverLostDevice, when it is active again. The loss comes from wined3d's own handling of the
// activation message that Windows sends the focus window.
#include "ge/graphic_engine_d3d9c.h"

#include <gtest/gtest.h>

#include <windows.h>
#undef DrawText

#include <cstdint>
#include <vector>

#include "ge/graphic_engine_adapter.h"
#include "ge/quad.h"
#include "tests/ge/d3d9_test_support.h"
#include "tests/support/temporary_folder.h"

namespace {

class GraphicEngineD3D9cFullScreen : public ::testing::Test {
 protected:
  void SetUp() override {
    SetCurrentDirectoryA(TestFolder().c_str());
    window = CreateTestWindow(640, 480);
    engine = new ge::GraphicEngineD3D9c(window, false);
  }
  void TearDown() override {
    delete engine;  // gives the display its mode back
    DestroyTestWindow(window);
  }

  // A blue frame with a white 20 × 20 logical box at (10, 10); the picture's pixel at display (x, y).
  void drawFrame() {
    ge::ZGraphicEngineAdapter adapter(engine);
    adapter.BeginFrame();
    adapter.Clear(0, 0, 1);
    adapter.SetTexture(-1);  // the frame before ended on the canvas
    ge::Quad quad;
    ge::MakeQuad(quad, 10, 10, 20, 20);
    adapter.DrawQuad(&quad);
    adapter.EndFrame();
  }
  std::uint32_t pixel(int x, int y) {
    std::vector<std::uint8_t> rgb;
    engine->ReadBackBuffer(rgb);
    const std::size_t at = (static_cast<std::size_t>(y) * 640 + static_cast<std::size_t>(x)) * 3;
    return static_cast<std::uint32_t>(rgb[at]) << 16 | static_cast<std::uint32_t>(rgb[at + 1]) << 8 | rgb[at + 2];
  }
  void activate(bool active) {
    SendMessageA(window, WM_ACTIVATEAPP, active ? TRUE : FALSE, 0);
    PumpMessages();
  }

  HWND window = nullptr;
  ge::GraphicEngineD3D9c* engine = nullptr;
};

TEST_F(GraphicEngineD3D9cFullScreen, DrawsAtTheDisplaysOwnSize) {
  drawFrame();
  EXPECT_FALSE(engine->DeviceLost());
  EXPECT_EQ(0xFFFFFFu, pixel(30, 30));
  EXPECT_EQ(0x0000FFu, pixel(10, 10));
}

TEST_F(GraphicEngineD3D9cFullScreen, LostDeviceDrawsNothingAndIsNotResetWhileInactive) {
  drawFrame();
  activate(false);
  drawFrame();  // nothing fatal: the frame goes by undrawn
  EXPECT_TRUE(engine->DeviceLost());
  EXPECT_FALSE(engine->RecoverLostDevice());
  EXPECT_FALSE(engine->RecoverLostDevice());
  activate(true);
}

TEST_F(GraphicEngineD3D9cFullScreen, ActiveAgainTheDeviceIsResetAndTheFrameComesBack) {
  drawFrame();
  activate(false);
  drawFrame();
  ASSERT_FALSE(engine->RecoverLostDevice());
  activate(true);
  ASSERT_TRUE(engine->RecoverLostDevice());
  EXPECT_FALSE(engine->DeviceLost());
  EXPECT_EQ(0u, pixel(30, 30)) << "the reset picture starts black";
  drawFrame();
  EXPECT_FALSE(engine->DeviceLost());
  EXPECT_EQ(0xFFFFFFu, pixel(30, 30));
  EXPECT_EQ(0x0000FFu, pixel(10, 10));
}

}  // namespace
