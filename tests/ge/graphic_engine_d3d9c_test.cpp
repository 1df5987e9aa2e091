// The Direct3D 9 engine on a Win32 window under Wine (wined3d on the software rasteriser), its
// picture read back: the two-times enlargement, quads keeping their texture, batches going out in
// pieces with one draw per texture run, text between quads, the render targets, a device reset,
// still frames, and each fatal line that can be provoked.
#include "ge/graphic_engine_d3d9c.h"

#include <gtest/gtest.h>

#include <windows.h>
#undef DrawText

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "ge/graphic_engine_adapter.h"
#include "ge/quad.h"
#include "ge/still_frame_skipper.h"
#include "ge/texture_loader.h"
#include "tests/ge/d3d9_test_support.h"
#include "tests/support/file_contents.h"
#include "tests/support/temporary_folder.h"

namespace {

using Pixel = std::array<std::uint8_t, 3>;
constexpr Pixel kBlack = {0, 0, 0};
constexpr Pixel kRed = {255, 0, 0};
constexpr Pixel kGreen = {0, 255, 0};
constexpr Pixel kBlue = {0, 0, 255};
constexpr int kWidth = ge::GraphicEngineD3D9c::kBackBufferWidth;

class GraphicEngineD3D9c : public ::testing::Test {
 protected:
  void SetUp() override {
    // The engine's log goes to "Log.log" in the current folder: the test's own.
    SetCurrentDirectoryA(TestFolder().c_str());
    window = CreateTestWindow(640, 480);
    engine = new ge::GraphicEngineD3D9c(window, true);
  }
  void TearDown() override {
    delete engine;
    DestroyTestWindow(window);
  }

  // The back buffer as it stands.
  void readPicture() { engine->ReadBackBuffer(picture); }
  Pixel at(int x, int y) const {
    const std::size_t offset = (static_cast<std::size_t>(y) * kWidth + static_cast<std::size_t>(x)) * 3;
    return {picture[offset], picture[offset + 1], picture[offset + 2]};
  }

  // A quad straight onto the back buffer (no adapter), w × h at (x, y), in one colour.
  void drawBox(float x, float y, float w, float h, float r, float g, float b) {
    ge::Quad quad;
    ge::MakeQuad(quad, x, y, w, h);
    ge::TintQuad(quad, r, g, b, 1.0f);
    engine->DrawQuad(&quad);
  }

  // A 1 × 1 texture of one colour in a slot.
  void fillSlot(std::int32_t slot, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    const std::uint8_t texel[4] = {r, g, b, 255};
    engine->SetSlotImage(slot, 1, 1, texel, 1.0f, 1.0f);
  }

  // A frame drawn on the back buffer: black, then whatever `draw` queues.
  template <typename Draw>
  void backBufferFrame(Draw&& draw) {
    engine->BeginFrame();
    engine->SetRenderTarget(-1);
    engine->Clear(0, 0, 0);
    draw();
    engine->EndFrame();
    readPicture();
  }

  HWND window = nullptr;
  ge::GraphicEngineD3D9c* engine = nullptr;
  std::vector<std::uint8_t> picture;
};

TEST_F(GraphicEngineD3D9c, ALogicalPixelCoversExactlyTwoByTwoDisplayPixels) {
  ge::ZGraphicEngineAdapter adapter(engine);
  adapter.BeginFrame();
  adapter.Clear(0, 0, 0);
  ge::Quad quad;
  ge::MakeQuad(quad, 0, 0, 1, 1);
  ge::TintQuad(quad, 1, 0, 0, 1);
  adapter.DrawQuad(&quad);
  ge::MakeQuad(quad, 319, 239, 1, 1);
  ge::TintQuad(quad, 0, 0, 1, 1);
  adapter.DrawQuad(&quad);
  adapter.EndFrame();
  readPicture();

  EXPECT_EQ(kRed, at(0, 0));
  EXPECT_EQ(kRed, at(1, 1));
  EXPECT_EQ(kBlack, at(2, 0));
  EXPECT_EQ(kBlack, at(0, 2));
  EXPECT_EQ(kBlue, at(638, 478));
  EXPECT_EQ(kBlue, at(639, 479));
  EXPECT_EQ(kBlack, at(637, 479));
  EXPECT_EQ(kBlack, at(639, 477));
}

TEST_F(GraphicEngineD3D9c, QuadKeepsTheTextureSelectedWhenItWasQueued) {
  fillSlot(6, 255, 0, 0);
  fillSlot(7, 0, 255, 0);
  backBufferFrame([&] {
    engine->SetTexture(6);
    drawBox(0, 0, 4, 4, 1, 1, 1);
    engine->SetTexture(7);
    drawBox(4, 0, 4, 4, 1, 1, 1);
  });
  EXPECT_EQ(kRed, at(1, 1));
  EXPECT_EQ(kGreen, at(5, 1));
}

TEST_F(GraphicEngineD3D9c, ImageCoordinatesReachTheImageNotTheTexture) {
  // A 2 × 2 image in a 4 × 4 texture: (1, 1) is the image's bottom-right texel, blue.
  std::vector<std::uint8_t> texels(4 * 4 * 4, 0);
  const auto paint = [&](int x, int y, Pixel colour) {
    std::uint8_t* texel = &texels[static_cast<std::size_t>(y * 4 + x) * 4];
    texel[0] = colour[0];
    texel[1] = colour[1];
    texel[2] = colour[2];
    texel[3] = 255;
  };
  paint(0, 0, kRed);
  paint(1, 0, kRed);
  paint(0, 1, kRed);
  paint(1, 1, kBlue);
  engine->SetSlotImage(8, 4, 4, texels.data(), 0.5f, 0.5f);
  backBufferFrame([&] {
    engine->SetTexture(8);
    drawBox(0, 0, 8, 8, 1, 1, 1);
  });
  EXPECT_EQ(kRed, at(1, 1));
  EXPECT_EQ(kBlue, at(7, 7));
}

TEST_F(GraphicEngineD3D9c, NeighbouringQuadsOfOneSlotAreDrawnWithOneCall) {
  fillSlot(6, 255, 0, 0);
  fillSlot(7, 0, 255, 0);
  const std::int64_t callsBefore = engine->DrawCallCount();
  const std::int32_t slots[] = {6, 6, 7, 7, 7, 6};
  backBufferFrame([&] {
    for (int quad = 0; quad < 6; ++quad) {
      engine->SetTexture(slots[quad]);
      drawBox(static_cast<float>(quad * 2), 0, 2, 2, 1, 1, 1);
    }
  });
  EXPECT_EQ(3, engine->DrawCallCount() - callsBefore);
  EXPECT_EQ(kRed, at(2, 0));
  EXPECT_EQ(kGreen, at(8, 0));
  EXPECT_EQ(kRed, at(10, 1));
}

// 2,500 one-pixel quads go out in three pieces of the vertex buffer; each lands where it was
// asked, in its own colour, whichever piece carried it.
TEST_F(GraphicEngineD3D9c, BatchLargerThanTheVertexBufferGoesOutInPieces) {
  constexpr int kQuads = 2500;
  const std::int64_t uploadsBefore = engine->UploadCount();
  backBufferFrame([&] {
    for (int quad = 0; quad < kQuads; ++quad) {
      const bool even = quad % 2 == 0;
      drawBox(static_cast<float>(quad % kWidth), static_cast<float>(quad / kWidth), 1, 1, even ? 1.0f : 0.0f, 0,
              even ? 0.0f : 1.0f);
    }
  });
  EXPECT_EQ(3, engine->UploadCount() - uploadsBefore);
  int wrong = 0;
  for (int quad = 0; quad < kQuads; ++quad) {
    if (at(quad % kWidth, quad / kWidth) != (quad % 2 == 0 ? kRed : kBlue)) ++wrong;
  }
  EXPECT_EQ(0, wrong);
  EXPECT_EQ(kBlack, at(kQuads % kWidth, kQuads / kWidth));
}

TEST_F(GraphicEngineD3D9c, QueuingTheThirtyThousandthQuadFlushesAtOnce) {
  engine->BeginFrame();
  engine->SetRenderTarget(-1);
  const std::int64_t flushesBefore = engine->FlushCount();
  for (int quad = 0; quad < ge::GraphicEngineD3D9c::kFlushThreshold - 1; ++quad) drawBox(0, 0, 1, 1, 1, 1, 1);
  EXPECT_EQ(flushesBefore, engine->FlushCount());
  drawBox(0, 0, 1, 1, 1, 1, 1);
  EXPECT_EQ(flushesBefore + 1, engine->FlushCount());
  engine->EndFrame();
}

TEST_F(GraphicEngineD3D9c, TextLiesAboveTheQuadBeforeItAndBelowTheQuadAfterIt) {
  // Ink of the "#" glyphs in white over a red box; a blue box over the right half hides it there.
  backBufferFrame([&] {
    drawBox(0, 0, 100, 20, 1, 0, 0);
    engine->DrawText(50, 2, "##########", 1, 1, 1, 1);
    drawBox(50, 0, 50, 20, 0, 0, 1);
  });
  int whiteLeft = 0;
  int notBlueRight = 0;
  for (int y = 0; y < 20; ++y) {
    for (int x = 0; x < 50; ++x) whiteLeft += at(x, y)[1] > 128 ? 1 : 0;
    for (int x = 50; x < 100; ++x) notBlueRight += at(x, y) != kBlue ? 1 : 0;
  }
  EXPECT_GT(whiteLeft, 20);
  EXPECT_EQ(0, notBlueRight);
}

TEST_F(GraphicEngineD3D9c, CanvasIsDrawnIntoWhileItIsTheRenderTarget) {
  engine->BeginFrame();
  engine->SetRenderTarget(ge::kCanvasSlot);
  engine->Clear(0, 0, 1);
  drawBox(96, 8, 1, 1, 1, 0, 0);
  engine->SetRenderTarget(-1);
  engine->Clear(0, 1, 0);
  engine->EndFrame();

  std::vector<std::uint8_t> canvas;
  int width = 0;
  int height = 0;
  ASSERT_TRUE(engine->ReadTexture(ge::kCanvasSlot, canvas, width, height));
  ASSERT_EQ(512, width);
  ASSERT_EQ(256, height);
  const auto canvasAt = [&](int x, int y) {
    const std::size_t offset = (static_cast<std::size_t>(y) * 512 + static_cast<std::size_t>(x)) * 4;
    return Pixel{canvas[offset], canvas[offset + 1], canvas[offset + 2]};
  };
  EXPECT_EQ(kRed, canvasAt(96, 8));
  EXPECT_EQ(kBlue, canvasAt(97, 8));
  readPicture();
  EXPECT_EQ(kGreen, at(0, 0));
}

// Wine never loses a windowed device, so the reset is driven directly: it is what
// RecoverLostDevice does when the device asks for one.
TEST_F(GraphicEngineD3D9c, DeviceResetKeepsThePicturesAndTheSameFrameDrawsTheSamePicture) {
  fillSlot(6, 255, 0, 0);
  ge::ZGraphicEngineAdapter adapter(engine);
  const auto frame = [&] {
    adapter.BeginFrame();
    adapter.Clear(0, 0, 1);
    adapter.SetTexture(6);
    ge::Quad quad;
    ge::MakeQuad(quad, 10, 10, 20, 20);
    adapter.DrawQuad(&quad);
    adapter.DrawText(160, 100, "\xC8\xE3\xF0\xE0", 1, 1, 1, 1);
    adapter.EndFrame();
  };
  frame();
  readPicture();
  const std::vector<std::uint8_t> before = picture;
  const std::uint64_t changesBefore = engine->SlotImageChanges();

  ASSERT_TRUE(engine->ResetDevice());
  readPicture();
  EXPECT_EQ(kBlack, at(40, 40)) << "the picture starts black again";
  EXPECT_NE(changesBefore, engine->SlotImageChanges()) << "still frames must be drawn again";
  std::vector<std::uint8_t> texels;
  int width = 0;
  int height = 0;
  ASSERT_TRUE(engine->ReadTexture(6, texels, width, height));
  EXPECT_EQ((std::vector<std::uint8_t>{255, 0, 0, 255}), texels);

  frame();
  readPicture();
  EXPECT_TRUE(before == picture) << "the frame drawn after the reset differs";
  EXPECT_TRUE(engine->RecoverLostDevice());
  EXPECT_FALSE(engine->DeviceLost());
}

TEST_F(GraphicEngineD3D9c, StillFramesAreLeftOutAndDrawnAgainAfterAReset) {
  ge::StillFrameSkipper skipper(*engine);
  ge::ZGraphicEngineAdapter adapter(&skipper);
  const auto frame = [&] {
    adapter.BeginFrame();
    adapter.Clear(0, 0, 0);
    adapter.SetTexture(-1);  // the frame before ended on the canvas
    ge::Quad quad;
    ge::MakeQuad(quad, 10, 10, 20, 20);
    ge::TintQuad(quad, 1, 1, 1, 0.5f);  // semi-transparent: takes frames to settle
    adapter.DrawQuad(&quad);
    adapter.EndFrame();
  };
  for (int settling = 0; settling < 12; ++settling) frame();
  ASSERT_TRUE(skipper.LastFrameSkipped());
  readPicture();
  const std::vector<std::uint8_t> settled = picture;

  ASSERT_TRUE(engine->ResetDevice());
  frame();
  EXPECT_FALSE(skipper.LastFrameSkipped());
  for (int settling = 0; settling < 12; ++settling) frame();
  EXPECT_TRUE(skipper.LastFrameSkipped());
  readPicture();
  EXPECT_TRUE(settled == picture);
}

TEST_F(GraphicEngineD3D9c, PictureFromABmpFileFillsItsSlot) {
  // A 3 × 2 BMP: bottom row red, top row green; 3 padding bytes per row.
  std::string bmp(54, '\0');
  const auto put32 = [&](std::size_t at, std::uint32_t value) {
    for (int byte = 0; byte < 4; ++byte) bmp[at + byte] = static_cast<char>((value >> (8 * byte)) & 0xFF);
  };
  bmp[0] = 'B';
  bmp[1] = 'M';
  put32(2, 54 + 24);
  put32(10, 54);
  put32(14, 40);
  put32(18, 3);
  put32(22, 2);
  bmp[26] = 1;
  bmp[28] = 24;
  bmp += std::string("\0\0\xFF\0\0\xFF\0\0\xFF\0\0\0", 12);
  bmp += std::string("\0\xFF\0\0\xFF\0\0\xFF\0\0\0\0", 12);
  TemporaryFolder folder;
  const std::string path = folder.file("small.bmp");
  FILE* file = std::fopen(path.c_str(), "wb");
  ASSERT_NE(nullptr, file);
  std::fwrite(bmp.data(), 1, bmp.size(), file);
  std::fclose(file);

  ge::LoadTexture(*engine, 9, path.c_str(), "Null");
  EXPECT_FLOAT_EQ(0.75f, engine->UScale(9));
  EXPECT_FLOAT_EQ(1.0f, engine->VScale(9));
  backBufferFrame([&] {
    engine->SetTexture(9);
    drawBox(0, 0, 6, 4, 1, 1, 1);
  });
  EXPECT_EQ(kGreen, at(0, 0));
  EXPECT_EQ(kRed, at(5, 3));
}

using GraphicEngineD3D9cDeathTest = GraphicEngineD3D9c;

// A folder of its own inside the program's, the same in a death test's child.
std::string fatalFolder(const char* name) {
  const std::string folder = TestFolder() + name + "/";
  CreateDirectoryA(folder.c_str(), nullptr);
  return folder;
}

// Each fatal line is the log's last; the log is a Windows text file, its lines end in CR LF.
std::string lastLine(const std::string& log) {
  const std::size_t end = log.rfind("\r\n");
  if (end == std::string::npos) return log;
  const std::size_t start = log.rfind("\r\n", end == 0 ? 0 : end - 1);
  return log.substr(start == std::string::npos ? 0 : start + 2, end - (start == std::string::npos ? 0 : start + 2));
}

// A plain Xvfb offers no 640 × 480 mode, so the full screen cannot be had.
TEST(GraphicEngineD3D9cFatal, FullScreenWithoutA640By480ModeEndsWithTheDeviceLine) {
  const std::string folder = fatalFolder("full-screen");
  EXPECT_EXIT(
      {
        SetCurrentDirectoryA(folder.c_str());
        HWND window = CreateTestWindow(640, 480);
        ge::GraphicEngineD3D9c engine(window, false);
      },
      ::testing::ExitedWithCode(1), "");
  EXPECT_EQ("GE.message: GE init...\r\nGE.message: D3D is created\r\nGE.error: Cannot create Device\r\n",
            ReadFileText(folder + "Log.log"));
}

TEST_F(GraphicEngineD3D9cDeathTest, TextWithoutBytesEndsWithTheDrawTextLine) {
  const std::string folder = fatalFolder("text");
  EXPECT_EXIT(
      {
        SetCurrentDirectoryA(folder.c_str());
        engine->BeginFrame();
        engine->DrawText(10, 10, nullptr, 1, 1, 1, 1);
      },
      ::testing::ExitedWithCode(1), "");
  EXPECT_EQ("GE.error: DrawText error", lastLine(ReadFileText(folder + "Log.log")));
}

TEST_F(GraphicEngineD3D9cDeathTest, PictureThatIsNoBmpEndsWithTheFormatLine) {
  const std::string folder = fatalFolder("picture");
  {
    FILE* file = std::fopen((folder + "logo.png").c_str(), "wb");
    ASSERT_NE(nullptr, file);
    std::fputs("\x89PNG\r\n\x1a\n not a bitmap", file);
    std::fclose(file);
  }
  EXPECT_EXIT(
      {
        SetCurrentDirectoryA(folder.c_str());
        ge::LoadTexture(*engine, 6, "logo.png", "Null");
      },
      ::testing::ExitedWithCode(1), "");
  EXPECT_EQ("GE.error: Do not know this format", lastLine(ReadFileText(folder + "Log.log")));
}

}  // namespace
