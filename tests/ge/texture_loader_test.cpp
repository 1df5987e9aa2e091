// Loading BMP files into slots of the real engine: texture sizes, scales, texels, and the errors
// that end the program.
#include "ge/texture_loader.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "tests/ge/gl_test_support.h"
#include "tests/support/png_file.h"

namespace {

struct Texture {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgba;

  std::vector<int> at(int x, int y) const {
    const std::size_t at = (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)) * 4;
    return {rgba[at], rgba[at + 1], rgba[at + 2], rgba[at + 3]};
  }
};

Texture textureOf(std::int32_t slot) {
  Texture texture;
  EXPECT_TRUE(HeadlessEngine().ReadTexture(slot, texture.rgba, texture.width, texture.height));
  return texture;
}

// A 54-byte BMP header followed by `pixelBytes` zero bytes, with the fields the refusals look at.
std::string writeRawBmp(const std::string& name, std::int32_t width, std::int32_t height, int bitsPerPixel,
                        int compression, std::size_t pixelBytes) {
  std::vector<std::uint8_t> bytes(54 + pixelBytes, 0);
  const auto put32 = [&](std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
  };
  bytes[0] = 'B';
  bytes[1] = 'M';
  put32(2, static_cast<std::uint32_t>(bytes.size()));
  put32(10, 54);
  put32(14, 40);
  put32(18, static_cast<std::uint32_t>(width));
  put32(22, static_cast<std::uint32_t>(height));
  bytes[26] = 1;
  bytes[28] = static_cast<std::uint8_t>(bitsPerPixel);
  put32(30, static_cast<std::uint32_t>(compression));
  const std::string path = testing::TempDir() + name;
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                              static_cast<std::streamsize>(bytes.size()));
  return path;
}

TEST(TextureLoader, ImageSitsUprightInTheTopLeftOfAPowerOfTwoTextureWithItsScales) {
  ge::BmpImage image = SolidImage(100, 60, 10, 20, 30);
  SetPixel(image, 0, 0, 200, 0, 0);    // the top row is the last row in the file
  SetPixel(image, 99, 59, 0, 200, 0);
  ge::LoadTexture(HeadlessEngine(), 30, WriteTestBmp("upright.bmp", image).c_str(), "Null");
  EXPECT_EQ(0.78125f, HeadlessEngine().UScale(30));
  EXPECT_EQ(0.9375f, HeadlessEngine().VScale(30));
  const Texture texture = textureOf(30);
  ASSERT_EQ(128, texture.width);
  ASSERT_EQ(64, texture.height);
  EXPECT_EQ((std::vector<int>{200, 0, 0, 255}), texture.at(0, 0));
  EXPECT_EQ((std::vector<int>{0, 200, 0, 255}), texture.at(99, 59));
  EXPECT_EQ((std::vector<int>{0, 0, 0, 255}), texture.at(127, 63));

  // A power-of-two image fills a texture of its own size; a call without an engine loads into
  // the registered one.
  ge::SetTextureTarget(&HeadlessEngine());
  ge::LoadTexture(31, WriteTestBmp("exact.bmp", SolidImage(128, 64, 1, 2, 3)).c_str(), "Auto");
  ge::SetTextureTarget(nullptr);
  EXPECT_EQ(1.0f, HeadlessEngine().UScale(31));
  EXPECT_EQ(1.0f, HeadlessEngine().VScale(31));
  EXPECT_EQ((std::vector<int>{1, 2, 3, 255}), textureOf(31).at(127, 63));
}

TEST(TextureLoader, AlphaModesGiveTheRightAlphaInsideAndOutside) {
  ge::BmpImage image = SolidImage(3, 1, 0, 0, 0);
  SetPixel(image, 1, 0, 0, 0, 1);
  SetPixel(image, 2, 0, 90, 90, 90);
  const std::string path = WriteTestBmp("modes.bmp", image);
  ge::BmpImage mask = SolidImage(3, 1, 255, 255, 0);
  SetPixel(mask, 1, 0, 0, 0, 128);
  SetPixel(mask, 2, 0, 0, 0, 255);
  const std::string maskPath = WriteTestBmp("mask.bmp", mask);
  using T = std::vector<int>;
  const std::pair<std::string, std::vector<T>> modes[] = {
      {"Auto", {{0, 0, 0, 0}, {0, 0, 1, 255}, {90, 90, 90, 255}, {0, 0, 0, 0}}},
      {"Null", {{0, 0, 0, 255}, {0, 0, 1, 255}, {90, 90, 90, 255}, {0, 0, 0, 255}}},
      {maskPath, {{0, 0, 0, 0}, {0, 0, 1, 128}, {90, 90, 90, 255}, {0, 0, 0, 0}}},
  };
  for (const auto& [mode, texels] : modes) {
    ge::LoadTexture(HeadlessEngine(), 33, path.c_str(), mode.c_str());  // loading again replaces the texture
    const Texture texture = textureOf(33);
    for (int x = 0; x < 4; ++x) EXPECT_EQ(texels[static_cast<std::size_t>(x)], texture.at(x, 0)) << mode << " " << x;
  }
}

// Runs a load in a child process and expects the error line to be the last thing it printed.
class TextureLoaderDeathTest : public testing::Test {
 protected:
  void SetUp() override { GTEST_FLAG_SET(death_test_style, "threadsafe"); }

  static void load(const std::string& file, const char* mode, std::int32_t slot = 40) {
    dup2(STDERR_FILENO, STDOUT_FILENO);  // the log writes to standard output
    if (chdir(testing::TempDir().c_str()) != 0) std::_Exit(3);
    ge::LoadTexture(HeadlessEngine(), slot, file.c_str(), mode);
    std::_Exit(0);
  }
};

#define EXPECT_LOAD_ENDS_WITH(file, mode, line) \
  EXPECT_EXIT(load(file, mode), testing::ExitedWithCode(1), "GE\\.error: " line "\n$")

TEST_F(TextureLoaderDeathTest, FilesThatAreNotUsableBmpsOrAWrongSlotEndTheProgramWithTheirReason) {
  std::string error;
  const std::string png = testing::TempDir() + "picture.png";
  ASSERT_TRUE(WritePng(png, 2, 2, std::vector<std::uint8_t>(12, 200), error)) << error;
  EXPECT_LOAD_ENDS_WITH(png, "Null", "Do not know this format");
  EXPECT_LOAD_ENDS_WITH(testing::TempDir() + "no-such-file.bmp", "Null", "Do not know this format");
  EXPECT_LOAD_ENDS_WITH(writeRawBmp("large.bmp", 1025, 4, 24, 0, 4 * 1025 * 3 + 16), "Null",
                        "Image is larger than 1024 x 1024");
  EXPECT_LOAD_ENDS_WITH(writeRawBmp("deep.bmp", 4, 4, 32, 0, 64), "Null", "Image is not 24-bit");
  EXPECT_LOAD_ENDS_WITH(writeRawBmp("packed.bmp", 4, 4, 24, 1, 48), "Null", "Image is compressed");
  EXPECT_LOAD_ENDS_WITH(writeRawBmp("short.bmp", 4, 4, 24, 0, 47), "Null", "Image file is truncated");

  const std::string image = WriteTestBmp("base.bmp", SolidImage(4, 4, 1, 1, 1));
  EXPECT_LOAD_ENDS_WITH(image, WriteTestBmp("small-mask.bmp", SolidImage(4, 3, 1, 1, 1)).c_str(),
                        "Alpha image is not the size of its image");
  EXPECT_LOAD_ENDS_WITH(image, (testing::TempDir() + "missing-mask.bmp").c_str(), "Do not know this format");
  for (std::int32_t slot : {0, 256}) {
    EXPECT_EXIT(load(image, "Null", slot), testing::ExitedWithCode(1), "GE\\.error: Texture slot is out of range\n$");
  }
}

}  // namespace
