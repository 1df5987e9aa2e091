// Texel assembly: the image upright in the top-left corner, and what each alpha mode makes of it.
#include "ge/texture_image.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// An image whose pixels are given row by row from the top, as R, G, B triples.
ge::BmpImage image(int width, int height, std::vector<std::uint8_t> rgb) {
  ge::BmpImage result;
  result.width = width;
  result.height = height;
  result.rgb = std::move(rgb);
  return result;
}

struct Texels {
  int width;
  int height;
  std::vector<std::uint8_t> rgba;

  std::vector<int> at(int x, int y) const {
    const std::size_t at = (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)) * 4;
    return {rgba[at], rgba[at + 1], rgba[at + 2], rgba[at + 3]};
  }
};

Texels assemble(const ge::BmpImage& picture, ge::AlphaMode mode, const ge::BmpImage* alpha = nullptr) {
  Texels texels{ge::TextureSide(picture.width), ge::TextureSide(picture.height), {}};
  // Filled with a marker so that untouched texels would show.
  texels.rgba.assign(static_cast<std::size_t>(texels.width) * static_cast<std::size_t>(texels.height) * 4, 0xAB);
  ge::AssembleTexture(picture, alpha, mode, texels.width, texels.height, texels.rgba.data());
  return texels;
}

TEST(TextureImage, SidesRoundUpToPowersOfTwo) {
  EXPECT_EQ(1, ge::TextureSide(0));
  EXPECT_EQ(1, ge::TextureSide(1));
  EXPECT_EQ(2, ge::TextureSide(2));
  EXPECT_EQ(4, ge::TextureSide(3));
  EXPECT_EQ(128, ge::TextureSide(100));
  EXPECT_EQ(128, ge::TextureSide(128));
  EXPECT_EQ(64, ge::TextureSide(64));
  EXPECT_EQ(1024, ge::TextureSide(1000));
}

TEST(TextureImage, ModesCompareByteForByte) {
  EXPECT_EQ(ge::AlphaMode::Opaque, ge::AlphaModeOf("Null"));
  EXPECT_EQ(ge::AlphaMode::BlackTransparent, ge::AlphaModeOf("Auto"));
  EXPECT_EQ(ge::AlphaMode::FromImage, ge::AlphaModeOf("auto"));
  EXPECT_EQ(ge::AlphaMode::FromImage, ge::AlphaModeOf("NULL"));
  EXPECT_EQ(ge::AlphaMode::FromImage, ge::AlphaModeOf("../data/mask.bmp"));
}

TEST(TextureImage, OpaqueModeFillsTheRestOpaqueBlackAndKeepsTheTopRowOnTop) {
  const ge::BmpImage picture = image(3, 2, {10, 20, 30, 0, 0, 0, 40, 50, 60,  //
                                            70, 80, 90, 1, 2, 3, 4, 5, 6});
  const Texels texels = assemble(picture, ge::AlphaMode::Opaque);
  ASSERT_EQ(4, texels.width);
  ASSERT_EQ(2, texels.height);
  EXPECT_EQ((std::vector<int>{10, 20, 30, 255}), texels.at(0, 0));
  EXPECT_EQ((std::vector<int>{0, 0, 0, 255}), texels.at(1, 0));  // black stays opaque
  EXPECT_EQ((std::vector<int>{40, 50, 60, 255}), texels.at(2, 0));
  EXPECT_EQ((std::vector<int>{70, 80, 90, 255}), texels.at(0, 1));
  EXPECT_EQ((std::vector<int>{4, 5, 6, 255}), texels.at(2, 1));
  EXPECT_EQ((std::vector<int>{0, 0, 0, 255}), texels.at(3, 0));
  EXPECT_EQ((std::vector<int>{0, 0, 0, 255}), texels.at(3, 1));
}

TEST(TextureImage, AutoModeHidesOnlyExactBlackAndEverythingOutside) {
  const ge::BmpImage picture = image(3, 3, {0, 0, 0, 0, 0, 1, 1, 0, 0,  //
                                            0, 1, 0, 9, 9, 9, 0, 0, 0,  //
                                            5, 5, 5, 5, 5, 5, 5, 5, 5});
  const Texels texels = assemble(picture, ge::AlphaMode::BlackTransparent);
  ASSERT_EQ(4, texels.width);
  ASSERT_EQ(4, texels.height);
  EXPECT_EQ((std::vector<int>{0, 0, 0, 0}), texels.at(0, 0));
  EXPECT_EQ((std::vector<int>{0, 0, 1, 255}), texels.at(1, 0));
  EXPECT_EQ((std::vector<int>{1, 0, 0, 255}), texels.at(2, 0));
  EXPECT_EQ((std::vector<int>{0, 1, 0, 255}), texels.at(0, 1));
  EXPECT_EQ((std::vector<int>{0, 0, 0, 0}), texels.at(2, 1));
  EXPECT_EQ((std::vector<int>{0, 0, 0, 0}), texels.at(3, 0));
  EXPECT_EQ((std::vector<int>{0, 0, 0, 0}), texels.at(0, 3));
  EXPECT_EQ((std::vector<int>{0, 0, 0, 0}), texels.at(3, 3));
}

TEST(TextureImage, AlphaImageGivesItsBlueChannelAndOutsideIsTransparent) {
  const ge::BmpImage picture = image(2, 1, {10, 20, 30, 40, 50, 60});
  const ge::BmpImage alpha = image(2, 1, {255, 255, 7, 0, 0, 200});
  const Texels texels = assemble(picture, ge::AlphaMode::FromImage, &alpha);
  EXPECT_EQ((std::vector<int>{10, 20, 30, 7}), texels.at(0, 0));
  EXPECT_EQ((std::vector<int>{40, 50, 60, 200}), texels.at(1, 0));

  const ge::BmpImage wide = image(3, 1, {1, 1, 1, 2, 2, 2, 3, 3, 3});
  const ge::BmpImage wideAlpha = image(3, 1, {0, 0, 9, 0, 0, 9, 0, 0, 9});
  const Texels padded = assemble(wide, ge::AlphaMode::FromImage, &wideAlpha);
  EXPECT_EQ((std::vector<int>{0, 0, 0, 0}), padded.at(3, 0));
}

TEST(TextureImage, ExactPowerOfTwoImageFillsItsTexture) {
  ge::BmpImage picture;
  picture.width = 128;
  picture.height = 64;
  picture.rgb.assign(128 * 64 * 3, 77);
  const Texels texels = assemble(picture, ge::AlphaMode::BlackTransparent);
  EXPECT_EQ(128, texels.width);
  EXPECT_EQ(64, texels.height);
  EXPECT_EQ((std::vector<int>{77, 77, 77, 255}), texels.at(127, 63));
}

}  // namespace
