// The half-size back buffer's rule: which quads give the same pixels drawn at half size and
// enlarged as drawn at full size, and how its rows read back at full size.
#include "ge/half_size.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "ge/quad.h"

namespace {

ge::Quad rectangle(float x, float y, float w, float h) {
  ge::Quad quad;
  return ge::MakeQuad(quad, x, y, w, h);
}

ge::Quad textured(float x, float y, float w, float h, float u0, float v0, float u1, float v1) {
  ge::Quad quad = rectangle(x, y, w, h);
  ge::SetQuadTexture(quad, u0, v0, u1, v1);
  return quad;
}

TEST(HalfSize, UntexturedQuadsEnlargeExactlyOnlyAsOneColourUprightOnEvenEdges) {
  const ge::QuadTexture none;
  EXPECT_TRUE(ge::EnlargesExactly(rectangle(0, 0, 640, 480), none));
  EXPECT_TRUE(ge::EnlargesExactly(rectangle(-4, 2, 6, 2), none));
  EXPECT_FALSE(ge::EnlargesExactly(rectangle(1, 0, 4, 4), none));    // odd left edge
  EXPECT_FALSE(ge::EnlargesExactly(rectangle(0, 0, 4, 3), none));    // odd bottom edge
  EXPECT_FALSE(ge::EnlargesExactly(rectangle(0, 0.5f, 4, 4), none)); // not a whole pixel
  EXPECT_FALSE(ge::EnlargesExactly(rectangle(4, 4, -2, 2), none));   // mirrored
  EXPECT_FALSE(ge::EnlargesExactly(rectangle(4, 4, 0, 2), none));    // no area
  ge::Quad sheared = rectangle(0, 0, 4, 4);
  sheared.vertices[2].x = 2;
  sheared.vertices[3].x = 6;
  EXPECT_FALSE(ge::EnlargesExactly(sheared, none));
  ge::Quad shaded = rectangle(0, 0, 4, 4);
  ge::TintQuad(shaded, 1, 1, 1, 1);
  shaded.vertices[3].colour = 0xFF000000u;
  EXPECT_FALSE(ge::EnlargesExactly(shaded, none));
}

TEST(HalfSize, TexturedQuadsEnlargeExactlyOnlyAtOneTexelToTwoPixelsFromAWholeTexel) {
  // The canvas: 512 × 256, whole texture.
  const ge::QuadTexture canvas{512, 256, 1.0f, 1.0f, true};
  // The adapter's quad: canvas pixels 96 .. 416 and 8 .. 248 onto the whole back buffer.
  EXPECT_TRUE(ge::EnlargesExactly(textured(0, 0, 640, 480, 0.1875f, 0.03125f, 0.8125f, 0.96875f), canvas));
  EXPECT_FALSE(ge::EnlargesExactly(textured(0, 0, 320, 240, 0.1875f, 0.03125f, 0.8125f, 0.96875f), canvas));
  // Starting half a texel in.
  EXPECT_FALSE(ge::EnlargesExactly(textured(0, 0, 2, 2, 0.5f / 512, 0, 1.5f / 512, 1.0f / 256), canvas));
  // A 100 × 100 image in a 128 × 128 texture: texel 10 .. 20 of the image across 20 pixels.
  const ge::QuadTexture image{128, 128, 0.78125f, 0.78125f, true};
  EXPECT_TRUE(ge::EnlargesExactly(textured(2, 2, 20, 20, 0.1f, 0.1f, 0.2f, 0.2f), image));
  // Mirrored in the texture.
  EXPECT_FALSE(ge::EnlargesExactly(textured(0, 0, 4, 4, 2.0f / 100, 0, 0, 2.0f / 100), image));
  // A texture rectangle that is not upright.
  ge::Quad turned = textured(0, 0, 4, 4, 0, 0, 0.02f, 0.02f);
  turned.vertices[2].u = 0.02f;
  EXPECT_FALSE(ge::EnlargesExactly(turned, image));
}

TEST(HalfSize, FullSizeRowsComeFromTheHalfSizeRowsThatCoverThem) {
  const struct {
    int top, count;
    int first, halfCount;
  } cases[] = {{0, 480, 0, 240}, {0, 1, 0, 1}, {1, 1, 0, 1}, {1, 2, 0, 2}, {3, 1, 1, 1}, {478, 2, 239, 1}};
  for (const auto& c : cases) {
    const ge::HalfRows rows = ge::HalfRowsOf(c.top, c.count);
    EXPECT_EQ(c.first, rows.first) << c.top << "+" << c.count;
    EXPECT_EQ(c.halfCount, rows.count) << c.top << "+" << c.count;
  }
}

TEST(HalfSize, EachHalfSizePixelBecomesTwoPixelsAcrossOnTwoRows) {
  // Two half-size rows of 2 pixels (full width 4), read from full-size row 1 for 3 rows.
  const std::uint8_t half[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
  std::vector<std::uint8_t> rgb(3 * 4 * 3);
  ge::EnlargeHalfRows(half, 4, 1, 3, rgb.data());
  const std::vector<std::uint8_t> expected = {1, 2, 3, 1, 2, 3, 4,  5,  6,  4,  5,  6,    // row 1: half row 0
                                              7, 8, 9, 7, 8, 9, 10, 11, 12, 10, 11, 12,  // row 2: half row 1
                                              7, 8, 9, 7, 8, 9, 10, 11, 12, 10, 11, 12};
  EXPECT_EQ(expected, rgb);
}

}  // namespace
