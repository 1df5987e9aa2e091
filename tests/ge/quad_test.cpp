// Quads: corner order, texture rectangle, and colours that truncate and wrap but never clamp.
#include "ge/quad.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

TEST(Quad, MakeQuadGivesCornersInStripOrderOpaqueWhiteWholeImage) {
  ge::Quad quad;
  ge::Quad& returned = ge::MakeQuad(quad, 10.0f, 20.0f, 3.0f, 4.0f);
  EXPECT_EQ(&quad, &returned);
  const float expected[4][4] = {{10, 20, 0, 0}, {13, 20, 1, 0}, {10, 24, 0, 1}, {13, 24, 1, 1}};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(expected[i][0], quad.vertices[i].x) << "vertex " << i;
    EXPECT_EQ(expected[i][1], quad.vertices[i].y) << "vertex " << i;
    EXPECT_EQ(expected[i][2], quad.vertices[i].u) << "vertex " << i;
    EXPECT_EQ(expected[i][3], quad.vertices[i].v) << "vertex " << i;
    EXPECT_EQ(0xFFFFFFFFu, quad.vertices[i].colour) << "vertex " << i;
  }
}

TEST(Quad, TintMultipliesEachChannelTruncatingAndTwiceMultipliesTwice) {
  ge::Quad quad;
  ge::MakeQuad(quad, 0, 0, 1, 1);
  ge::TintQuad(quad, 1.0f, 1.0f, 1.0f, 0.5f);
  for (const ge::QuadVertex& vertex : quad.vertices) EXPECT_EQ(0x7FFFFFFFu, vertex.colour);

  ge::MakeQuad(quad, 0, 0, 1, 1);
  ge::TintQuad(quad, 0.5f, 0.5f, 0.5f, 1.0f);  // 255 × 0.5 = 127.5 → 127
  ge::TintQuad(quad, 0.5f, 0.5f, 0.5f, 1.0f);  // 127 × 0.5 = 63.5 → 63
  EXPECT_EQ(0xFF3F3F3Fu, quad.vertices[0].colour);

  ge::MakeQuad(quad, 0, 0, 1, 1);
  ge::TintQuad(quad, 0.0f, 0.2f, 1.0f, 0.92f);
  EXPECT_EQ((234u << 24) | (0u << 16) | (51u << 8) | 255u, quad.vertices[3].colour);
}

TEST(Quad, ChannelsAboveOneKeepOnlyTheirLowEightBits) {
  // 255 × 2 = 510 = 0x1FE → 0xFE; 255 × 1.5 = 382.5 → 382 = 0x17E → 0x7E.
  ge::Quad quad;
  ge::MakeQuad(quad, 0, 0, 1, 1);
  ge::TintQuad(quad, 2.0f, 1.5f, 1.0f, 1.0f);
  EXPECT_EQ(0xFFFE7EFFu, quad.vertices[0].colour);
  EXPECT_EQ(0xFEu, ge::ColourByte(2.0f));
  EXPECT_EQ(0x00u, ge::ColourByte(0.0f));
  EXPECT_EQ(0xFFu, ge::ColourByte(1.0f));
  EXPECT_EQ(0x80FF0000u, ge::PackColour(1.0f, 0.0f, 0.0f, 0.503f));
}

TEST(Quad, NonNumbersGiveZeroInsteadOfUndefinedBehaviour) {
  EXPECT_EQ(0u, ge::ColourByte(std::numeric_limits<float>::quiet_NaN()));
  EXPECT_EQ(0u, ge::ColourByte(std::numeric_limits<float>::infinity()));
  EXPECT_EQ(0u, ge::ColourByte(3.0e38f));
}

TEST(Quad, SetQuadTextureSpansTheRectangleCornerToCorner) {
  ge::Quad quad;
  ge::MakeQuad(quad, 0, 0, 1, 1);
  ge::SetQuadTexture(quad, 0.25f, 0.5f, 0.75f, 1.0f);
  EXPECT_EQ(0.25f, quad.vertices[0].u);
  EXPECT_EQ(0.5f, quad.vertices[0].v);
  EXPECT_EQ(0.75f, quad.vertices[1].u);
  EXPECT_EQ(0.5f, quad.vertices[1].v);
  EXPECT_EQ(0.25f, quad.vertices[2].u);
  EXPECT_EQ(1.0f, quad.vertices[2].v);
  EXPECT_EQ(0.75f, quad.vertices[3].u);
  EXPECT_EQ(1.0f, quad.vertices[3].v);
}

}  // namespace
