// BMP reading: the accepted layouts, row padding and order, and each refusal with its exact text.
#include "ge/bmp_image.h"

#include <gtest/gtest.h>

#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tests/support/temporary_folder.h"

namespace {

// A test picture whose every pixel is distinct: R = x * 16 + 1, G = y * 16 + 2, B = x + y + 3.
ge::BmpImage pattern(int width, int height) {
  ge::BmpImage image{width, height, {}};
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      image.rgb.insert(image.rgb.end(), {static_cast<std::uint8_t>(x * 16 + 1), static_cast<std::uint8_t>(y * 16 + 2),
                                         static_cast<std::uint8_t>(x + y + 3)});
    }
  }
  return image;
}

std::vector<std::uint8_t> with32(std::vector<std::uint8_t> bytes, std::size_t at, std::int64_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<std::uint8_t>(static_cast<std::uint64_t>(value) >> (8 * i));
  return bytes;
}

// The refusal text, or "" with `image` filled when the bytes are taken.
std::string parse(const std::vector<std::uint8_t>& bytes, ge::BmpImage& image) {
  std::string error;
  const bool ok = ge::ParseBmp(bytes.data(), bytes.size(), image, error);
  if (!ok) {
    EXPECT_TRUE(image.width == 0 && image.rgb.empty()) << "a refused image is left empty";
  }
  return ok ? "" : error;
}

TEST(BmpImage, ReadsBackEveryRowPaddingBottomUpTopDownAndLargerHeaders) {
  for (int width : {1, 2, 3, 4, 5, 6, 7, 1024}) {
    SCOPED_TRACE(width);
    const ge::BmpImage original = pattern(width, 3);
    const std::vector<std::uint8_t> bytes = ge::EncodeBmp(original);
    // 54 header bytes, then rows of 3w pixel bytes plus w mod 4 padding bytes.
    const std::size_t rowBytes = 3u * width + width % 4;
    ASSERT_EQ(54u + 3u * rowBytes, bytes.size());
    ge::BmpImage image;
    ASSERT_EQ("", parse(bytes, image));
    EXPECT_EQ(3, image.height);
    EXPECT_EQ(original.rgb, image.rgb);

    // Top-down: negative height, rows in reverse order.
    std::vector<std::uint8_t> topDown = with32(bytes, 22, -3);
    for (int row = 0; row < 3; ++row) {
      std::copy_n(bytes.begin() + 54 + static_cast<std::ptrdiff_t>((2 - row) * rowBytes), rowBytes,
                  topDown.begin() + 54 + static_cast<std::ptrdiff_t>(row * rowBytes));
    }
    ASSERT_EQ("", parse(topDown, image));
    EXPECT_EQ(original.rgb, image.rgb);
  }
  // The file holds blue, green, red and the bottom row first.
  const std::vector<std::uint8_t> twoRows = ge::EncodeBmp({1, 2, {10, 20, 30, 40, 50, 60}});
  EXPECT_EQ((std::vector<std::uint8_t>{60, 50, 40, 0, 30, 20, 10, 0}), std::vector<std::uint8_t>(twoRows.begin() + 54, twoRows.end()));

  // V4 and V5 information headers, with a gap before the pixels that the offset skips.
  const ge::BmpImage original = pattern(5, 4);
  const std::vector<std::uint8_t> plain = ge::EncodeBmp(original);
  for (std::uint32_t infoSize : {108u, 124u}) {
    std::vector<std::uint8_t> bytes(plain.begin(), plain.begin() + 54);
    bytes.resize(14 + infoSize + 6, 0xEE);
    std::fill(bytes.begin() + 54, bytes.begin() + 14 + infoSize, 0);
    bytes = with32(with32(bytes, 14, infoSize), 10, 14 + infoSize + 6);
    bytes.insert(bytes.end(), plain.begin() + 54, plain.end());
    ge::BmpImage image;
    ASSERT_EQ("", parse(bytes, image)) << infoSize;
    EXPECT_EQ(original.rgb, image.rgb) << infoSize;
  }
}

// Each refusal: the reason the loader reports and the detail the player reads beside it.
TEST(BmpImage, RefusesEachBadFileWithItsReasonAndWhatIsWrongWithTheBytes) {
  const std::vector<std::uint8_t> good = ge::EncodeBmp(pattern(5, 3));  // 54 + 3 rows of 16
  const std::string unknown = "Do not know this format";
  const std::string truncated = "Image file is truncated";
  const std::string tooLarge = "Image is larger than 1024 x 1024";
  const struct {
    std::vector<std::uint8_t> bytes;
    std::string reason, detail;
  } cases[] = {
      {{}, unknown, "it is empty"},
      {{'B'}, unknown, "not a BMP (it starts with 42)"},
      {{'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0}, unknown, "not a BMP (it starts with 47 49 46 38 39 61 01 00)"},
      {{'B', 'M', 0, 0}, unknown, "cut short after 4 of 54 bytes"},
      {std::vector<std::uint8_t>(good.begin(), good.begin() + 40), unknown, "cut short after 40 of 54 bytes"},
      {with32(std::vector<std::uint8_t>(good.begin(), good.begin() + 100), 14, 108), unknown,
       "cut short after 100 of 122 bytes"},
      {with32(good, 14, 12), unknown, "its information header is 12 bytes long, not one of 40 to 124"},  // old core header
      {with32(good, 14, 0x7FFFFFFF), unknown, "its information header is 2147483647 bytes long, not one of 40 to 124"},
      {with32(good, 10, 20), unknown, "its pixels would start at byte 20, inside its headers"},
      {with32(good, 18, 0), "Image width is 0 or below", "its width is 0"},
      {with32(good, 18, -4), "Image width is 0 or below", "its width is -4"},
      {with32(good, 22, 0), "Image height is 0", "its height is 0"},
      {with32(good, 18, 1025), tooLarge, "it is 1025 x 3 pixels"},
      {with32(good, 22, -1025), tooLarge, "it is 5 x 1025 pixels"},
      {with32(good, 18, 0x7FFFFFFF), tooLarge, "it is 2147483647 x 3 pixels"},
      {with32(good, 22, -0x7FFFFFFF - 1), tooLarge, "it is 5 x 2147483648 pixels"},
      {with32(good, 26, 32 << 16 | 1), "Image is not 24-bit", "it has 32 bits per pixel, not 24"},  // planes 1
      {with32(good, 26, 16 << 16 | 1), "Image is not 24-bit", "it has 16 bits per pixel, not 24"},
      {with32(good, 30, 3), "Image is compressed", "it is compressed (method 3)"},
      {std::vector<std::uint8_t>(good.begin(), good.end() - 1), truncated, "cut short after 101 of 102 bytes (5 x 3 pixels)"},
      {std::vector<std::uint8_t>(good.begin(), good.begin() + 54), truncated, "cut short after 54 of 102 bytes (5 x 3 pixels)"},
      {with32(good, 10, 0xFFFFFFF0), truncated, "cut short after 102 of 4294967328 bytes (5 x 3 pixels)"},
      {with32(good, 22, 1024), truncated, "cut short after 102 of 16438 bytes (5 x 1024 pixels)"},
  };
  for (const auto& c : cases) {
    ge::BmpImage image;
    std::string error;
    std::string detail = "left over";
    EXPECT_FALSE(ge::ParseBmp(c.bytes.data(), c.bytes.size(), image, error, &detail)) << c.detail;
    EXPECT_EQ(c.reason, error) << c.detail;
    EXPECT_EQ(c.detail, detail);
    EXPECT_TRUE(image.width == 0 && image.rgb.empty()) << "a refused image is left empty";
  }
  ge::BmpImage image;
  std::string error;
  std::string detail = "left over";
  EXPECT_FALSE(ge::ParseBmp(nullptr, 0, image, error));
  EXPECT_TRUE(ge::ParseBmp(good.data(), good.size(), image, error, &detail));
  EXPECT_EQ("", detail) << "a good file has nothing wrong with it";
}

// Each test's files live in a folder of its own, removed afterwards.
class BmpFile : public ::testing::Test {
 protected:
  const TemporaryFolder temporary;
  const std::string folder = temporary.path();
};

TEST_F(BmpFile, WritesAndReadsFiles) {
  const std::string path = folder + "/written.bmp";
  const ge::BmpImage original = pattern(7, 6);
  std::string error;
  ASSERT_TRUE(ge::WriteBmpFile(path.c_str(), original, error)) << error;
  ge::BmpImage image;
  ASSERT_TRUE(ge::ReadBmpFile(path.c_str(), image, error)) << error;
  EXPECT_EQ(original.rgb, image.rgb);
  EXPECT_FALSE(ge::WriteBmpFile("/nonexistent-folder/x.bmp", original, error));
}

// A file that cannot be had says which file and the system's reason; only a file that is there
// and is not a BMP is "Do not know this format".
TEST_F(BmpFile, UnreadableFilesNameThemselvesAndTheSystemsReason) {
  std::ofstream(folder + "/text.bmp") << "not a picture\n";
  std::filesystem::create_directory(folder + "/folder.bmp");
  const struct {
    std::string path;
    std::string reason;
  } cases[] = {
      {folder + "/missing.bmp", "Cannot open \"" + folder + "/missing.bmp\": No such file or directory"},
      {folder + "/data/logo.bmp", "Cannot open \"" + folder + "/data/logo.bmp\": No such file or directory "
                                  "(there is no folder \"" + folder + "/data\")"},
#ifdef _WIN32
      // Windows refuses to open a folder as a file at all.
      {folder + "/folder.bmp", "Cannot open \"" + folder + "/folder.bmp\": Permission denied"},
#else
      {folder + "/folder.bmp", "Cannot read \"" + folder + "/folder.bmp\": Is a directory"},
      // Reading a process's memory from address 0 fails with an input/output error.
      {"/proc/self/mem", "Cannot read \"/proc/self/mem\": Input/output error"},
#endif
      {folder + "/text.bmp", "Do not know this format"},
  };
  for (const auto& c : cases) {
    ge::BmpImage image = pattern(2, 2);
    std::string error;
    EXPECT_FALSE(ge::ReadBmpFile(c.path.c_str(), image, error)) << c.path;
    EXPECT_EQ(c.reason, error);
    EXPECT_TRUE(image.width == 0 && image.rgb.empty()) << "a refused image is left empty";
  }
}

}  // namespace
