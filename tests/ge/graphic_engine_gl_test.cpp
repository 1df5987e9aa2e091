// The OpenGL engine drawn for real on surfaceless EGL (Mesa's software rasteriser when there is no
// GPU): logical pixels, texel-exact point sampling, blending, batching order and text.
#include "ge/graphic_engine_gl.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "ge/graphic_engine_adapter.h"
#include "ge/quad.h"
#include "ge/texture_loader.h"
#include "tests/ge/gl_test_support.h"
#include "tests/support/temporary_folder.h"

namespace {

constexpr std::int32_t kEmptySlot = 200;
constexpr std::int32_t kRedSlot = 20;
constexpr std::int32_t kGreenSlot = 21;
constexpr std::int32_t kCornerSlot = 23;
constexpr std::int32_t kAutoSlot = 24;
constexpr std::int32_t kNullSlot = 25;

const Rgb kBlack{0, 0, 0};
const Rgb kWhite{255, 255, 255};
const Rgb kRed{255, 0, 0};
const Rgb kGreen{0, 255, 0};
const Rgb kBlue{0, 0, 255};

class GraphicEngineGLTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    ge::GraphicEngineGL& engine = HeadlessEngine();
    ge::LoadTexture(engine, kRedSlot, WriteTestBmp("red.bmp", SolidImage(4, 4, 255, 0, 0)).c_str(), "Null");
    ge::LoadTexture(engine, kGreenSlot, WriteTestBmp("green.bmp", SolidImage(4, 4, 0, 255, 0)).c_str(), "Null");

    // Blue with marked corners, in a 128 × 128 texture.
    ge::BmpImage corners = SolidImage(100, 100, 0, 0, 255);
    SetPixel(corners, 0, 0, 255, 0, 0);
    SetPixel(corners, 99, 0, 255, 255, 0);
    SetPixel(corners, 99, 99, 0, 255, 0);
    ge::LoadTexture(engine, kCornerSlot, WriteTestBmp("corners.bmp", corners).c_str(), "Null");

    // Exact black, then the darkest blue, then white; the texture's fourth column lies outside.
    ge::BmpImage alphaTest = SolidImage(3, 1, 0, 0, 0);
    SetPixel(alphaTest, 1, 0, 0, 0, 1);
    SetPixel(alphaTest, 2, 0, 255, 255, 255);
    const std::string alphaPath = WriteTestBmp("alpha-test.bmp", alphaTest);
    ge::LoadTexture(engine, kAutoSlot, alphaPath.c_str(), "Auto");
    ge::LoadTexture(engine, kNullSlot, alphaPath.c_str(), "Null");
  }

  void beginFrame(float r, float g, float b) {
    adapter.BeginFrame();
    adapter.Clear(r, g, b);
  }

  void quad(std::int32_t slot, float x, float y, float w, float h, float r = 1, float g = 1, float b = 1,
            float a = 1) {
    ge::Quad quad;
    ge::MakeQuad(quad, x, y, w, h);
    ge::TintQuad(quad, r, g, b, a);
    adapter.SetTexture(slot);
    adapter.DrawQuad(&quad);
  }

  Screenshot endFrame() {
    adapter.EndFrame();
    return Screenshot(engine);
  }

  // Canvas pixels straight from the canvas texture (512 wide), whatever has been flushed into it so far.
  struct Canvas {
    std::vector<std::uint8_t> rgba;
    const std::uint8_t* pixel(int x, int y) const { return &rgba[(static_cast<std::size_t>(y) * 512 + static_cast<std::size_t>(x)) * 4]; }
    Rgb at(int x, int y) const { return {pixel(x, y)[0], pixel(x, y)[1], pixel(x, y)[2]}; }
  };
  Canvas canvas() {
    Canvas canvas;
    int width = 0, height = 0;
    EXPECT_TRUE(engine.ReadTexture(ge::kCanvasSlot, canvas.rgba, width, height));
    return canvas;
  }

  ge::GraphicEngineGL& engine = HeadlessEngine();
  ge::ZGraphicEngineAdapter adapter{&engine};
};

// Colour checks of one screenshot: each point's expected display pixel.
struct Expected {
  int x, y;
  Rgb colour;
};
void expectPixels(const Screenshot& shot, std::initializer_list<Expected> points) {
  for (const Expected& point : points) EXPECT_EQ(point.colour, shot.at(point.x, point.y)) << point.x << ", " << point.y;
}

// Logical pixels, point sampling, text placement and Cyrillic glyphs are in every golden picture;
// these are what the game's own screens do not show.
TEST_F(GraphicEngineGLTest, ClearTruncatesEachChannel) {
  beginFrame(1.0f, 0.5f, 0.2f);
  expectPixels(endFrame(), {{0, 0, {255, 127, 51}}, {639, 479, {255, 127, 51}}});
}

TEST_F(GraphicEngineGLTest, CoordinateOneReachesTheCornerOfAnImageSmallerThanItsTexture) {
  // A 100 × 100 image in a 128 × 128 texture (texture_loader_test): u and v of 1 are its
  // bottom-right pixel.
  beginFrame(0, 0, 0);
  quad(kCornerSlot, 0, 0, 100, 100);
  expectPixels(endFrame(), {{1, 1, kRed}, {2, 2, kBlue}, {199, 0, {255, 255, 0}}, {198, 198, kGreen},
                            {199, 199, kGreen}, {197, 197, kBlue}, {200, 200, kBlack}});
}

TEST_F(GraphicEngineGLTest, AlphaModesShowOrHideBlackAndTheTextureOutsideTheImage) {
  beginFrame(1, 0, 0);
  // Each texel of the 4 × 1 texture becomes 2 × 2 logical pixels: u 0..4/3 covers the whole texture.
  for (const auto& [slot, y] : {std::pair{kAutoSlot, 0.0f}, std::pair{kNullSlot, 10.0f}}) {
    ge::Quad wide;
    ge::MakeQuad(wide, 0, y, 8, 2);
    ge::SetQuadTexture(wide, 0.0f, 0.0f, 4.0f / 3.0f, 1.0f);
    adapter.SetTexture(slot);
    adapter.DrawQuad(&wide);
  }
  // "Auto": exact black and the outside are transparent, the darkest blue is not. "Null": all opaque.
  expectPixels(endFrame(), {{1, 1, kRed}, {5, 1, {0, 0, 1}}, {9, 1, kWhite}, {13, 1, kRed},
                            {1, 21, kBlack}, {5, 21, {0, 0, 1}}, {9, 21, kWhite}, {13, 21, kBlack}});
}

TEST_F(GraphicEngineGLTest, QuadsBlendBySourceAlphaIntoColourAndAlphaAlikeAndTheBackBufferShowsThrough) {
  beginFrame(1, 0, 0);
  endFrame();
  beginFrame(0, 0, 0);
  quad(kEmptySlot, 0, 0, 4, 4, 1, 1, 1, 0.5f);
  quad(kRedSlot, 10, 0, 4, 4, 1, 1, 1, 0.5f);
  quad(kEmptySlot, 10, 0, 4, 4, 0, 0, 1, 0.5f);
  const Screenshot shot = endFrame();
  // The canvas keeps the frame: alpha 127/255 over opaque black gives colour 127 and alpha
  // 127 × 0.5 + 255 × 0.5 = 191; red at half, then blue at half over it.
  const Canvas pixels = canvas();
  const std::pair<const std::uint8_t*, std::vector<int>> blends[] = {{pixels.pixel(97, 9), {127, 127, 127, 191}},
                                                                     {pixels.pixel(107, 9), {64, 0, 127, 159}}};
  for (const auto& [got, expected] : blends) {
    for (int channel = 0; channel < 4; ++channel) EXPECT_NEAR(expected[channel], got[channel], 1) << channel;
  }
  // The previous frame's red shows through the canvas alpha of 0.75 where the half-white lies.
  EXPECT_NEAR(159, shot.at(2, 2).red, 2);
  EXPECT_NEAR(95, shot.at(2, 2).green, 2);
  EXPECT_EQ(kBlack, shot.at(60, 60));
}

TEST_F(GraphicEngineGLTest, QuadsKeepTheSlotSelectedWhenQueuedAndLandInCallOrder) {
  beginFrame(0, 0, 0);
  const std::int64_t drawCalls = engine.DrawCallCount();
  for (int i = 0; i < 10; ++i) quad(kRedSlot, static_cast<float>(i), 0, 4, 4);
  quad(kGreenSlot, 2, 0, 4, 4);
  quad(kRedSlot, 4, 0, 4, 4);
  quad(kGreenSlot, 20, 0, 4, 4);
  const Screenshot shot = endFrame();
  // Four runs on the canvas (red, green, red, green), then the canvas quad.
  EXPECT_EQ(drawCalls + 5, engine.DrawCallCount());
  expectPixels(shot, {{1, 1, kRed}, {5, 1, kGreen}, {9, 1, kRed}, {41, 1, kGreen}});
}

TEST_F(GraphicEngineGLTest, BatchLongerThanTheVertexBufferLandsInCallOrderAcrossItsPieces) {
  constexpr int kPiece = ge::GraphicEngineGL::kBufferQuads;
  beginFrame(0, 0, 0);
  for (int i = 0; i < 2 * kPiece + 2; ++i) {
    // Quads that differ from their neighbour only in colour, at the pieces' ends and starts: the
    // later one of each pair must lie on top. The rest fill the pieces.
    if (i == kPiece - 1 || i == 2 * kPiece - 1) {
      quad(kRedSlot, static_cast<float>(i / kPiece) * 10, 10, 4, 4);
    } else if (i == kPiece || i == 2 * kPiece) {
      quad(kGreenSlot, static_cast<float>(i / kPiece - 1) * 10, 10, 4, 4);
    } else {
      quad(kRedSlot, 100, 100, 1, 1);
    }
  }
  quad(kEmptySlot, 30, 10, 4, 4, 0, 0, 1);
  expectPixels(endFrame(), {{1, 21, kGreen}, {21, 21, kGreen}, {61, 21, kBlue}, {201, 201, kRed}});
}

TEST_F(GraphicEngineGLTest, TheThirtyThousandthQuadFlushesAtOnceAndTheNextStartsANewBatch) {
  beginFrame(0, 0, 0);
  adapter.SetTexture(kEmptySlot);
  const std::int64_t flushes = engine.FlushCount();
  ge::Quad quad;
  ge::MakeQuad(quad, 0, 0, 1, 1);
  for (int i = 1; i < ge::GraphicEngineGL::kFlushThreshold; ++i) adapter.DrawQuad(&quad);
  EXPECT_EQ(flushes, engine.FlushCount());
  // The last quad of the batch lies apart, so that it shows only if the whole batch was drawn.
  ge::MakeQuad(quad, 50, 50, 1, 1);
  adapter.DrawQuad(&quad);
  EXPECT_EQ(flushes + 1, engine.FlushCount());
  EXPECT_EQ(kWhite, canvas().at(96, 8));
  EXPECT_EQ(kWhite, canvas().at(146, 58));
  ge::MakeQuad(quad, 5, 5, 1, 1);
  adapter.DrawQuad(&quad);
  EXPECT_EQ(flushes + 1, engine.FlushCount());
  EXPECT_EQ(kWhite, endFrame().at(10, 10));
}

TEST_F(GraphicEngineGLTest, TextLiesAboveTheQuadBeforeItAndBelowTheQuadAfterIt) {
  beginFrame(0, 0, 0);
  quad(kEmptySlot, 100, 100, 120, 30, 0, 0, 1, 1);
  adapter.DrawText(160.0f, 108.0f, "XXXXXXXX", 1, 1, 1, 1);
  quad(kEmptySlot, 160, 100, 60, 30, 1, 0, 0, 1);
  endFrame();

  // Read on the canvas: on screen the text's soft edges also let the previous frame show through.
  const Canvas pixels = canvas();
  int inkLeft = 0;
  for (int y = 108; y < 138; ++y) {
    for (int x = 196; x < 256; ++x) {
      const Rgb pixel = pixels.at(x, y);
      if (pixel.red > 127) ++inkLeft;  // the blue quad has no red: this is white ink over it
      ASSERT_EQ(255, pixel.blue) << "the blue quad must stay under the text at " << x << ", " << y;
    }
    for (int x = 256; x < 316; ++x) ASSERT_EQ(kRed, pixels.at(x, y)) << x << ", " << y;
  }
  EXPECT_GT(inkLeft, 10);
}

TEST_F(GraphicEngineGLTest, EveryRussianLetterHasAGlyphOfItsOwnNotTheMissingGlyphBox) {
  const ge::FontAtlas& font = engine.Font();
  const auto coverage = [&](unsigned char byte) {
    const ge::GlyphBox& box = font.glyphs[byte];
    std::vector<std::uint8_t> ink;
    for (int y = 0; y < box.height; ++y) {
      for (int x = 0; x < box.width; ++x) {
        ink.push_back(font.coverage[static_cast<std::size_t>(box.atlasY + y) * font.width + box.atlasX + x]);
      }
    }
    return ink;
  };
  const std::vector<std::uint8_t> box = coverage(0x98);
  for (int byte = 0xC0; byte <= 0xFF; ++byte) {
    EXPECT_NE(box, coverage(static_cast<unsigned char>(byte))) << "byte " << byte;
    EXPECT_EQ(7, font.glyphs[static_cast<std::size_t>(byte)].advance) << "byte " << byte;
  }
}

// The whole start-up and shutdown sequence of the log is proven by the end-to-end runs of the game.
TEST(GraphicEngineGLDeathTest, NoDisplayEndsTheProgramAtTheFirstStep) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  // The log goes to standard output; the death test reads standard error.
  EXPECT_EXIT(
      {
        dup2(STDERR_FILENO, STDOUT_FILENO);
        if (chdir(TestFolder().c_str()) != 0) std::_Exit(3);
        unsetenv("DISPLAY");
        ge::GraphicEngineGL engine(0x123456ul, true);
      },
      testing::ExitedWithCode(1), "GE\\.message: GE init\\.\\.\\.\nGE\\.error: Cannot create D3D\n$");
}

// Start-up in a child process with the environment given, the log on standard error.
void startUpWith(const char* variable, const std::string& value) {
  dup2(STDERR_FILENO, STDOUT_FILENO);
  if (chdir(TestFolder().c_str()) != 0) std::_Exit(3);
  setenv(variable, value.c_str(), 1);  // the child has no other thread yet
  delete ge::GraphicEngineGL::CreateHeadless();
  std::_Exit(0);
}

TEST(GraphicEngineGLDeathTest, ShaderThatDoesNotCompileEndsStartUpBeforeTheDeviceIsSaidToExist) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  // Mesa writes out the engine's shaders and reads replacements for them by the same names.
  const std::string dumped = TestFolder() + "shaders/";
  const std::string broken = TestFolder() + "broken-shaders/";
  // The death tests' children run this body again, in the same folder.
  std::filesystem::create_directories(dumped);
  std::filesystem::create_directories(broken);
  EXPECT_EXIT(startUpWith("MESA_SHADER_DUMP_PATH", dumped), testing::ExitedWithCode(0), "GE was loaded");
  int replaced = 0;
  for (const auto& entry : std::filesystem::directory_iterator(dumped)) {
    std::ofstream(broken + entry.path().filename().string()) << "#version 330 core\nnot a shader\n";
    ++replaced;
  }
  if (replaced == 0) GTEST_SKIP() << "this Mesa does not write out shaders (MESA_SHADER_DUMP_PATH)";
  EXPECT_EXIT(startUpWith("MESA_SHADER_READ_PATH", broken), testing::ExitedWithCode(1),
              "GE\\.message: D3D is created\nGE: shader does not compile: .*\nGE\\.error: Cannot create Device\n$");
}

}  // namespace
