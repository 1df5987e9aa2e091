// Quads: corner order, texture rectangle, and colours that truncate and wrap but never clamp.
#include "ge/quad.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

TEST(Quad, CornersComeInStripOrderWithTheirTextureRectangle) {
  ge::Quad quad;
  ge::MakeQuad(quad, 10.0f, 20.0f, 3.0f, 4.0f);
  ge::SetQuadTexture(quad, 0.25f, 0.5f, 0.75f, 1.0f);
  const float corners[4][4] = {{10, 20, 0.25f, 0.5f}, {13, 20, 0.75f, 0.5f}, {10, 24, 0.25f, 1}, {13, 24, 0.75f, 1}};
  for (int i = 0; i < 4; ++i) {
    const ge::QuadVertex& v = quad.vertices[i];
    EXPECT_EQ((std::vector<float>(corners[i], corners[i] + 4)), (std::vector<float>{v.x, v.y, v.u, v.v})) << i;
    EXPECT_EQ(0xFFFFFFFFu, v.colour) << i;
  }
}

TEST(Quad, TintTruncatesEachChannelWrapsAboveOneAndNeverMeetsUndefinedBehaviour) {
  ge::Quad quad;
  ge::MakeQuad(quad, 0, 0, 1, 1);
  ge::TintQuad(quad, 0.5f, 0.5f, 0.5f, 1.0f);  // 255 × 0.5 = 127.5 → 127
  ge::TintQuad(quad, 0.5f, 0.5f, 0.5f, 1.0f);  // 127 × 0.5 = 63.5 → 63
  EXPECT_EQ(0xFF3F3F3Fu, quad.vertices[0].colour);
  ge::MakeQuad(quad, 0, 0, 1, 1);
  ge::TintQuad(quad, 0.0f, 0.2f, 1.0f, 0.92f);
  EXPECT_EQ((234u << 24) | (51u << 8) | 255u, quad.vertices[3].colour);
  // 255 × 2 = 0x1FE → 0xFE; 255 × 1.5 = 382 = 0x17E → 0x7E: the low eight bits, not a clamp.
  ge::MakeQuad(quad, 0, 0, 1, 1);
  ge::TintQuad(quad, 2.0f, 1.5f, 1.0f, 1.0f);
  EXPECT_EQ(0xFFFE7EFFu, quad.vertices[0].colour);
  EXPECT_EQ(0x80FF0000u, ge::PackColour(1.0f, 0.0f, 0.0f, 0.503f));
  for (float odd : {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(), 3.0e38f}) {
    EXPECT_EQ(0u, ge::ColourByte(odd)) << odd;
  }
}

}  // namespace
