// Loading BMP files into slots of the real engine: the texture's size and scales, the alpha picture
// read beside the image, and the errors that end the program. The texels themselves are checked
// where they are assembled (texture_image_test) and where they are drawn (graphic_engine_gl_test).
#include "ge/texture_loader.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "tests/ge/gl_test_support.h"
#include "tests/support/file_contents.h"
#include "tests/support/temporary_folder.h"

namespace {

// Texel (x, y) of a slot as R, G, B, A, and the texture's size.
std::vector<int> texel(std::int32_t slot, int x, int y, int* width = nullptr, int* height = nullptr) {
  std::vector<std::uint8_t> rgba;
  int w = 0, h = 0;
  EXPECT_TRUE(HeadlessEngine().ReadTexture(slot, rgba, w, h));
  if (width != nullptr) *width = w;
  if (height != nullptr) *height = h;
  const std::size_t at = (static_cast<std::size_t>(y) * static_cast<std::size_t>(w) + static_cast<std::size_t>(x)) * 4;
  return {rgba[at], rgba[at + 1], rgba[at + 2], rgba[at + 3]};
}

TEST(TextureLoader, ImageSitsInAPowerOfTwoTextureWithItsScalesAndAnAlphaPictureGivesItsBlue) {
  ge::BmpImage image = SolidImage(100, 60, 10, 20, 30);
  SetPixel(image, 99, 59, 0, 200, 0);
  ge::BmpImage mask = SolidImage(100, 60, 0, 0, 128);
  SetPixel(mask, 99, 59, 255, 255, 7);
  ge::LoadTexture(HeadlessEngine(), 30, WriteTestBmp("upright.bmp", image).c_str(),
                  WriteTestBmp("mask.bmp", mask).c_str());
  EXPECT_EQ(0.78125f, HeadlessEngine().UScale(30));
  EXPECT_EQ(0.9375f, HeadlessEngine().VScale(30));
  int width = 0, height = 0;
  EXPECT_EQ((std::vector<int>{10, 20, 30, 128}), texel(30, 0, 0, &width, &height));
  EXPECT_EQ(128, width);
  EXPECT_EQ(64, height);
  EXPECT_EQ((std::vector<int>{0, 200, 0, 7}), texel(30, 99, 59));
  EXPECT_EQ((std::vector<int>{0, 0, 0, 0}), texel(30, 127, 63));

  // A power-of-two image fills a texture of its own size, and loading a slot again replaces its
  // texture.
  ge::LoadTexture(HeadlessEngine(), 30, WriteTestBmp("exact.bmp", SolidImage(128, 64, 1, 2, 3)).c_str(), "Null");
  EXPECT_EQ(1.0f, HeadlessEngine().UScale(30));
  EXPECT_EQ(1.0f, HeadlessEngine().VScale(30));
  EXPECT_EQ((std::vector<int>{1, 2, 3, 255}), texel(30, 127, 63));
}

// A load in a child process, which must end with the error line as the last thing it printed.
void load(const std::string& file, const std::string& mode, std::int32_t slot = 40) {
  dup2(STDERR_FILENO, STDOUT_FILENO);  // the log writes to standard output
  if (chdir(TestFolder().c_str()) != 0) std::_Exit(3);
  ge::LoadTexture(HeadlessEngine(), slot, file.c_str(), mode.c_str());
  std::_Exit(0);
}

TEST(TextureLoaderDeathTest, FilesThatAreNotUsableBmpsOrAWrongSlotEndTheProgramWithTheirReason) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  const std::string image = WriteTestBmp("base.bmp", SolidImage(4, 4, 1, 1, 1));
  // A damaged image or alpha picture: DamagedPictureIsNamedWithWhatIsWrongJustBeforeTheError.
  const struct {
    std::string file, mode, line;
    std::int32_t slot = 40;
  } cases[] = {
      {TestFolder() + "no-such-file.bmp", "Null", "Cannot open \"" + TestFolder() + "no-such-file.bmp\": No such file or directory"},
      {image, WriteTestBmp("small-mask.bmp", SolidImage(4, 3, 1, 1, 1)), "Alpha image is not the size of its image"},
      {image, TestFolder() + "missing-mask.bmp", "Cannot open \"" + TestFolder() + "missing-mask.bmp\": No such file or directory"},
      {image, "Null", "Texture slot is out of range", 0},
      {image, "Null", "Texture slot is out of range", 256},
  };
  for (const auto& c : cases) {
    EXPECT_EXIT(load(c.file, c.mode, c.slot), testing::ExitedWithCode(1), "GE\\.error: " + c.line + "\n$") << c.line;
  }
}

std::string writeBytes(const std::string& name, const std::vector<char>& bytes) {
  const std::string path = TestFolder() + name;
  std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return path;
}

// The last two lines of the log the child process wrote in the test folder.
std::string lastTwoLogLines() {
  const std::vector<std::string> lines = ReadFileLines(TestFolder() + "Log.log");
  if (lines.size() < 2) return "(fewer than two lines)";
  return lines[lines.size() - 2] + "\n" + lines.back();
}

// A player with a damaged install must learn which of the pictures to replace, and what is wrong
// with it, from the line before the error: the error texts themselves stay as they are.
TEST(TextureLoaderDeathTest, DamagedPictureIsNamedWithWhatIsWrongJustBeforeTheError) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  const std::string good = WriteTestBmp("good.bmp", SolidImage(4, 4, 1, 1, 1));  // 54 + 4 rows of 12
  const std::vector<char> whole = ReadFileChars(good);
  // Each detail is checked with the reader (bmp_image_test); here, that it reaches the log with
  // the name of the damaged file, the image or its alpha picture.
  const struct {
    std::string file, mode, detail, error;
  } cases[] = {
      {writeBytes("pixels.bmp", std::vector<char>(whole.begin(), whole.begin() + 80)), "Null",
       "cut short after 80 of 102 bytes (4 x 4 pixels)", "Image file is truncated"},
      {good, writeBytes("mask.bmp", {}), "it is empty", "Do not know this format"},
  };
  for (const auto& c : cases) {
    const std::string named = c.mode == "Null" ? c.file : c.mode;
    std::remove((TestFolder() + "Log.log").c_str());
    EXPECT_EXIT(load(c.file, c.mode), testing::ExitedWithCode(1), "GE\\.error: " + c.error + "\n$") << named;
    EXPECT_EQ("GE.message: Cannot use \"" + named + "\": " + c.detail + "\nGE.error: " + c.error, lastTwoLogLines());
  }
}

}  // namespace
