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

TEST(TextureLoader, ImageSitsUprightInTheTopLeftOfAPowerOfTwoTexture) {
  ge::BmpImage image = SolidImage(100, 100, 10, 20, 30);
  SetPixel(image, 0, 0, 200, 0, 0);    // the top row is the last row in the file
  SetPixel(image, 99, 99, 0, 200, 0);
  ge::LoadTexture(HeadlessEngine(), 30, WriteTestBmp("upright.bmp", image).c_str(), "Null");
  EXPECT_EQ(0.78125f, HeadlessEngine().UScale(30));
  EXPECT_EQ(0.78125f, HeadlessEngine().VScale(30));
  const Texture texture = textureOf(30);
  ASSERT_EQ(128, texture.width);
  ASSERT_EQ(128, texture.height);
  EXPECT_EQ((std::vector<int>{200, 0, 0, 255}), texture.at(0, 0));
  EXPECT_EQ((std::vector<int>{0, 200, 0, 255}), texture.at(99, 99));
  EXPECT_EQ((std::vector<int>{10, 20, 30, 255}), texture.at(50, 50));
  EXPECT_EQ((std::vector<int>{0, 0, 0, 255}), texture.at(100, 0));
  EXPECT_EQ((std::vector<int>{0, 0, 0, 255}), texture.at(127, 127));
}

TEST(TextureLoader, PowerOfTwoImageGetsATextureOfItsOwnSizeAndScalesOfOne) {
  ge::LoadTexture(HeadlessEngine(), 31, WriteTestBmp("exact.bmp", SolidImage(128, 64, 1, 2, 3)).c_str(), "Auto");
  EXPECT_EQ(1.0f, HeadlessEngine().UScale(31));
  EXPECT_EQ(1.0f, HeadlessEngine().VScale(31));
  const Texture texture = textureOf(31);
  EXPECT_EQ(128, texture.width);
  EXPECT_EQ(64, texture.height);
}

TEST(TextureLoader, RowPaddingOfWidthsFiveFourAndSevenIsSkipped) {
  for (const int width : {5, 4, 7}) {
    ge::BmpImage image = SolidImage(width, 3, 0, 0, 0);
    for (int y = 0; y < 3; ++y) {
      for (int x = 0; x < width; ++x) SetPixel(image, x, y, static_cast<std::uint8_t>(x + 1), static_cast<std::uint8_t>(y + 1), 9);
    }
    ge::LoadTexture(HeadlessEngine(), 32, WriteTestBmp("padding.bmp", image).c_str(), "Null");
    const Texture texture = textureOf(32);
    for (int y = 0; y < 3; ++y) {
      for (int x = 0; x < width; ++x) {
        EXPECT_EQ((std::vector<int>{x + 1, y + 1, 9, 255}), texture.at(x, y)) << "width " << width;
      }
    }
  }
}

TEST(TextureLoader, AlphaModesGiveTheRightAlphaInsideAndOutside) {
  ge::BmpImage image = SolidImage(3, 1, 0, 0, 0);
  SetPixel(image, 1, 0, 0, 0, 1);
  SetPixel(image, 2, 0, 90, 90, 90);
  const std::string path = WriteTestBmp("modes.bmp", image);

  ge::LoadTexture(HeadlessEngine(), 33, path.c_str(), "Auto");
  Texture texture = textureOf(33);
  EXPECT_EQ((std::vector<int>{0, 0, 0, 0}), texture.at(0, 0));
  EXPECT_EQ((std::vector<int>{0, 0, 1, 255}), texture.at(1, 0));
  EXPECT_EQ((std::vector<int>{90, 90, 90, 255}), texture.at(2, 0));
  EXPECT_EQ((std::vector<int>{0, 0, 0, 0}), texture.at(3, 0));

  ge::LoadTexture(HeadlessEngine(), 33, path.c_str(), "Null");  // loading again replaces the texture
  texture = textureOf(33);
  EXPECT_EQ((std::vector<int>{0, 0, 0, 255}), texture.at(0, 0));
  EXPECT_EQ((std::vector<int>{0, 0, 0, 255}), texture.at(3, 0));

  ge::BmpImage mask = SolidImage(3, 1, 255, 255, 0);
  SetPixel(mask, 1, 0, 0, 0, 128);
  SetPixel(mask, 2, 0, 0, 0, 255);
  ge::LoadTexture(HeadlessEngine(), 33, path.c_str(), WriteTestBmp("mask.bmp", mask).c_str());
  texture = textureOf(33);
  EXPECT_EQ((std::vector<int>{0, 0, 0, 0}), texture.at(0, 0));
  EXPECT_EQ((std::vector<int>{0, 0, 1, 128}), texture.at(1, 0));
  EXPECT_EQ((std::vector<int>{90, 90, 90, 255}), texture.at(2, 0));
  EXPECT_EQ((std::vector<int>{0, 0, 0, 0}), texture.at(3, 0));
}

TEST(TextureLoader, CallWithoutAnEngineLoadsIntoTheRegisteredOne) {
  ge::SetTextureTarget(&HeadlessEngine());
  ge::LoadTexture(34, WriteTestBmp("registered.bmp", SolidImage(2, 2, 7, 8, 9)).c_str(), "Null");
  EXPECT_EQ((std::vector<int>{7, 8, 9, 255}), textureOf(34).at(1, 1));
  ge::SetTextureTarget(nullptr);
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

TEST_F(TextureLoaderDeathTest, FilesThatAreNotUsableBmpsEndTheProgramWithTheirReason) {
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
}

TEST_F(TextureLoaderDeathTest, BrokenAlphaFileOrWrongSlotEndsTheProgram) {
  const std::string image = WriteTestBmp("base.bmp", SolidImage(4, 4, 1, 1, 1));
  EXPECT_LOAD_ENDS_WITH(image, WriteTestBmp("small-mask.bmp", SolidImage(4, 3, 1, 1, 1)).c_str(),
                        "Alpha image is not the size of its image");
  EXPECT_LOAD_ENDS_WITH(image, (testing::TempDir() + "missing-mask.bmp").c_str(), "Do not know this format");
  EXPECT_EXIT(load(image, "Null", 0), testing::ExitedWithCode(1), "GE\\.error: Texture slot is out of range\n$");
  EXPECT_EXIT(load(image, "Null", 256), testing::ExitedWithCode(1), "GE\\.error: Texture slot is out of range\n$");
}

}  // namespace
