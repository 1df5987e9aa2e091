// BMP reading: the accepted layouts, row padding and order, and each refusal with its exact text.
#include "ge/bmp_image.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

// A test picture whose every pixel is distinct: R = x * 16 + 1, G = y * 16 + 2, B = x + y + 3.
ge::BmpImage pattern(int width, int height) {
  ge::BmpImage image;
  image.width = width;
  image.height = height;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      image.rgb.push_back(static_cast<std::uint8_t>(x * 16 + 1));
      image.rgb.push_back(static_cast<std::uint8_t>(y * 16 + 2));
      image.rgb.push_back(static_cast<std::uint8_t>(x + y + 3));
    }
  }
  return image;
}

void put32(std::vector<std::uint8_t>& bytes, std::size_t at, std::int64_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<std::uint8_t>(static_cast<std::uint64_t>(value) >> (8 * i));
}

void put16(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value) {
  bytes[at] = static_cast<std::uint8_t>(value);
  bytes[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

struct Parsed {
  bool ok = false;
  ge::BmpImage image;
  std::string error;
};

Parsed parse(const std::vector<std::uint8_t>& bytes) {
  Parsed result;
  result.ok = ge::ParseBmp(bytes.data(), bytes.size(), result.image, result.error);
  return result;
}

// Rewrites a bottom-up file from EncodeBmp as top-down: negative height and the rows reversed.
std::vector<std::uint8_t> flipToTopDown(const std::vector<std::uint8_t>& bottomUp, int width, int height) {
  std::vector<std::uint8_t> bytes = bottomUp;
  const std::size_t rowBytes = static_cast<std::size_t>(width) * 3 + static_cast<std::size_t>(width % 4);
  for (int row = 0; row < height; ++row) {
    std::copy_n(bottomUp.begin() + 54 + static_cast<std::ptrdiff_t>((height - 1 - row) * rowBytes), rowBytes,
                bytes.begin() + 54 + static_cast<std::ptrdiff_t>(row * rowBytes));
  }
  put32(bytes, 22, -height);
  return bytes;
}

// Turns a 40-byte-header file into one with a larger information header (V4 108, V5 124 bytes)
// and `gap` extra bytes before the pixels, with the pixel-data offset pointing past them.
std::vector<std::uint8_t> withInfoHeader(const std::vector<std::uint8_t>& plain, std::uint32_t infoSize, std::size_t gap) {
  std::vector<std::uint8_t> bytes(plain.begin(), plain.begin() + 54);
  bytes.resize(14 + infoSize + gap, 0xEE);
  std::fill(bytes.begin() + 54, bytes.begin() + 14 + infoSize, 0);
  put32(bytes, 14, infoSize);
  put32(bytes, 10, static_cast<std::int64_t>(14 + infoSize + gap));
  bytes.insert(bytes.end(), plain.begin() + 54, plain.end());
  put32(bytes, 2, static_cast<std::int64_t>(bytes.size()));
  return bytes;
}

TEST(BmpImage, ReadsBackEveryWidthWithItsRowPadding) {
  for (int width : {1, 2, 3, 4, 5, 6, 7, 8}) {
    const ge::BmpImage original = pattern(width, 3);
    const std::vector<std::uint8_t> bytes = ge::EncodeBmp(original);
    // 54 header bytes, then rows of 3w pixel bytes plus w mod 4 padding bytes.
    EXPECT_EQ(54u + 3u * (3u * width + width % 4), bytes.size()) << "width " << width;
    const Parsed result = parse(bytes);
    ASSERT_TRUE(result.ok) << "width " << width << ": " << result.error;
    EXPECT_EQ(width, result.image.width);
    EXPECT_EQ(3, result.image.height);
    EXPECT_EQ(original.rgb, result.image.rgb) << "width " << width;
  }
}

TEST(BmpImage, BottomRowComesFirstInTheFileAndBlueGreenRedOrder) {
  ge::BmpImage image;
  image.width = 1;
  image.height = 2;
  image.rgb = {10, 20, 30, 40, 50, 60};  // top pixel, bottom pixel
  const std::vector<std::uint8_t> bytes = ge::EncodeBmp(image);
  ASSERT_EQ(54u + 2u * 4u, bytes.size());
  EXPECT_EQ(60, bytes[54]);  // bottom pixel's blue first
  EXPECT_EQ(50, bytes[55]);
  EXPECT_EQ(40, bytes[56]);
  EXPECT_EQ(30, bytes[58]);  // after one padding byte, the top pixel
  EXPECT_EQ(10, bytes[60]);
}

TEST(BmpImage, ReadsTopDownRowsRightSideUp) {
  for (int width : {4, 5, 7}) {
    const ge::BmpImage original = pattern(width, 5);
    const Parsed result = parse(flipToTopDown(ge::EncodeBmp(original), width, 5));
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_EQ(5, result.image.height);
    EXPECT_EQ(original.rgb, result.image.rgb) << "width " << width;
  }
}

TEST(BmpImage, AcceptsLargerInformationHeadersAndHonoursThePixelOffset) {
  const ge::BmpImage original = pattern(5, 4);
  const std::vector<std::uint8_t> plain = ge::EncodeBmp(original);
  for (std::uint32_t infoSize : {40u, 108u, 124u}) {
    for (std::size_t gap : {std::size_t{0}, std::size_t{6}}) {
      const Parsed result = parse(withInfoHeader(plain, infoSize, gap));
      ASSERT_TRUE(result.ok) << "header " << infoSize << " gap " << gap << ": " << result.error;
      EXPECT_EQ(original.rgb, result.image.rgb) << "header " << infoSize << " gap " << gap;
    }
  }
}

TEST(BmpImage, RefusesWhatIsNotABmp) {
  const std::vector<std::uint8_t> good = ge::EncodeBmp(pattern(4, 4));
  std::vector<std::vector<std::uint8_t>> notBmp;
  notBmp.push_back({});
  notBmp.push_back({'B', 'M'});
  notBmp.push_back(std::vector<std::uint8_t>(good.begin(), good.begin() + 40));  // headers cut short
  std::vector<std::uint8_t> png = good;
  png[0] = 0x89;
  png[1] = 'P';
  notBmp.push_back(png);
  std::vector<std::uint8_t> coreHeader = good;  // the old 12-byte header
  put32(coreHeader, 14, 12);
  notBmp.push_back(coreHeader);
  std::vector<std::uint8_t> hugeHeader = good;
  put32(hugeHeader, 14, 0x7FFFFFFF);
  notBmp.push_back(hugeHeader);
  std::vector<std::uint8_t> pixelsInsideHeader = good;
  put32(pixelsInsideHeader, 10, 20);
  notBmp.push_back(pixelsInsideHeader);
  for (std::size_t i = 0; i < notBmp.size(); ++i) {
    const Parsed result = parse(notBmp[i]);
    EXPECT_FALSE(result.ok) << "case " << i;
    EXPECT_EQ("Do not know this format", result.error) << "case " << i;
    EXPECT_EQ(0, result.image.width) << "case " << i;
    EXPECT_TRUE(result.image.rgb.empty()) << "case " << i;
  }
  std::string error;
  ge::BmpImage image;
  EXPECT_FALSE(ge::ParseBmp(nullptr, 0, image, error));
  EXPECT_EQ("Do not know this format", error);
}

TEST(BmpImage, RefusesEmptyAndOversizedImages) {
  const std::vector<std::uint8_t> good = ge::EncodeBmp(pattern(4, 4));
  const std::pair<std::int64_t, std::int64_t> sizes[] = {
      {0, 4}, {4, 0}, {1025, 4}, {4, 1025}, {4, -1025}, {-4, 4}, {0x7FFFFFFF, 4}, {4, -0x7FFFFFFF - 1}};
  for (const auto& [width, height] : sizes) {
    std::vector<std::uint8_t> bytes = good;
    put32(bytes, 18, width);
    put32(bytes, 22, height);
    const Parsed result = parse(bytes);
    EXPECT_FALSE(result.ok) << width << " x " << height;
    EXPECT_EQ("Image is larger than 1024 x 1024", result.error) << width << " x " << height;
  }
}

TEST(BmpImage, AcceptsTheLargestSide) {
  const Parsed result = parse(ge::EncodeBmp(pattern(1024, 2)));
  ASSERT_TRUE(result.ok) << result.error;
  EXPECT_EQ(1024, result.image.width);
}

TEST(BmpImage, RefusesOtherDepthsAndCompression) {
  const std::vector<std::uint8_t> good = ge::EncodeBmp(pattern(4, 4));
  for (std::uint32_t bits : {1u, 8u, 16u, 32u}) {
    std::vector<std::uint8_t> bytes = good;
    put16(bytes, 28, bits);
    EXPECT_EQ("Image is not 24-bit", parse(bytes).error) << bits;
  }
  for (std::uint32_t compression : {1u, 2u, 3u, 4u, 5u}) {
    std::vector<std::uint8_t> bytes = good;
    put32(bytes, 30, compression);
    EXPECT_EQ("Image is compressed", parse(bytes).error) << compression;
  }
}

TEST(BmpImage, RefusesPixelDataShorterThanPromised) {
  const std::vector<std::uint8_t> good = ge::EncodeBmp(pattern(5, 3));
  const std::vector<std::uint8_t> shortByOne(good.begin(), good.end() - 1);
  EXPECT_EQ("Image file is truncated", parse(shortByOne).error);
  const std::vector<std::uint8_t> headersOnly(good.begin(), good.begin() + 54);
  EXPECT_EQ("Image file is truncated", parse(headersOnly).error);
  std::vector<std::uint8_t> farOffset = good;
  put32(farOffset, 10, 0xFFFFFFF0);
  EXPECT_EQ("Image file is truncated", parse(farOffset).error);
  std::vector<std::uint8_t> tallerThanData = good;
  put32(tallerThanData, 22, 1024);
  EXPECT_EQ("Image file is truncated", parse(tallerThanData).error);
}

TEST(BmpImage, WritesAndReadsFiles) {
  const std::string path = ::testing::TempDir() + "bmp_image_test.bmp";
  const ge::BmpImage original = pattern(7, 6);
  std::string error;
  ASSERT_TRUE(ge::WriteBmpFile(path.c_str(), original, error)) << error;
  ge::BmpImage image;
  ASSERT_TRUE(ge::ReadBmpFile(path.c_str(), image, error)) << error;
  EXPECT_EQ(original.rgb, image.rgb);
  std::remove(path.c_str());

  EXPECT_FALSE(ge::ReadBmpFile(path.c_str(), image, error));
  EXPECT_EQ("Do not know this format", error);
  EXPECT_FALSE(ge::WriteBmpFile("/nonexistent-folder/x.bmp", original, error));
  EXPECT_FALSE(error.empty());
}

}  // namespace
