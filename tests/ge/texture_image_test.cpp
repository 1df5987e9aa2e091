// Texel assembly: the image upright in the top-left corner, and what each alpha mode makes of it.
#include "ge/texture_image.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Texels of `picture` (rows from the top, R, G, B triples) in a texture of the rounded-up size,
// which starts filled with a marker so that untouched texels would show.
std::vector<std::vector<int>> assemble(int width, int height, std::vector<std::uint8_t> rgb, ge::AlphaMode mode,
                                       const ge::BmpImage* alpha = nullptr) {
  const ge::BmpImage picture{width, height, std::move(rgb)};
  const int textureWidth = ge::TextureSide(width);
  const int textureHeight = ge::TextureSide(height);
  std::vector<std::uint8_t> rgba(static_cast<std::size_t>(textureWidth) * textureHeight * 4, 0xAB);
  ge::AssembleTexture(picture, alpha, mode, textureWidth, textureHeight, rgba.data());
  std::vector<std::vector<int>> texels;
  for (std::size_t at = 0; at < rgba.size(); at += 4) texels.push_back({rgba[at], rgba[at + 1], rgba[at + 2], rgba[at + 3]});
  return texels;
}

TEST(TextureImage, SidesRoundUpToPowersOfTwoAndModesCompareByteForByte) {
  const int sides[][2] = {{0, 1}, {1, 1}, {3, 4}, {64, 64}, {100, 128}, {128, 128}, {1000, 1024}};
  for (const auto& side : sides) EXPECT_EQ(side[1], ge::TextureSide(side[0])) << side[0];
  EXPECT_EQ(ge::AlphaMode::Opaque, ge::AlphaModeOf("Null"));
  EXPECT_EQ(ge::AlphaMode::BlackTransparent, ge::AlphaModeOf("Auto"));
  for (const char* file : {"auto", "NULL", "../data/mask.bmp"}) EXPECT_EQ(ge::AlphaMode::FromImage, ge::AlphaModeOf(file));
}

TEST(TextureImage, EachModeFillsTheImageUprightAndTheRestAsItShould) {
  using T = std::vector<int>;
  const std::vector<std::uint8_t> rgb = {10, 20, 30, 0, 0, 0, 0, 0, 1,  //
                                         70, 80, 90, 1, 2, 3, 4, 5, 6};
  auto texels = assemble(3, 2, rgb, ge::AlphaMode::Opaque);  // a 4 × 2 texture
  EXPECT_EQ((std::vector<T>{{10, 20, 30, 255}, {0, 0, 0, 255}, {0, 0, 1, 255}, {0, 0, 0, 255},
                            {70, 80, 90, 255}, {1, 2, 3, 255}, {4, 5, 6, 255}, {0, 0, 0, 255}}),
            texels);
  texels = assemble(3, 2, rgb, ge::AlphaMode::BlackTransparent);  // only exact black is hidden
  EXPECT_EQ((std::vector<T>{{10, 20, 30, 255}, {0, 0, 0, 0}, {0, 0, 1, 255}, {0, 0, 0, 0},
                            {70, 80, 90, 255}, {1, 2, 3, 255}, {4, 5, 6, 255}, {0, 0, 0, 0}}),
            texels);
  const ge::BmpImage alpha{3, 1, {255, 255, 7, 0, 0, 200, 0, 0, 0}};  // its blue channel is the alpha
  texels = assemble(3, 1, {10, 20, 30, 40, 50, 60, 1, 1, 1}, ge::AlphaMode::FromImage, &alpha);
  EXPECT_EQ((std::vector<T>{{10, 20, 30, 7}, {40, 50, 60, 200}, {1, 1, 1, 0}, {0, 0, 0, 0}}), texels);
}

}  // namespace
