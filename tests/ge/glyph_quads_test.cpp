// Glyph quads: each glyph with ink becomes a quad of its ink's size at its place, copying exactly
// its ink's rectangle of the atlas.
#include "ge/glyph_quads.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

ge::FontAtlas smallAtlas() {
  ge::FontAtlas atlas;
  atlas.width = 256;
  atlas.height = 64;
  atlas.lineHeight = 14;
  for (int byte = 0x21; byte < 256; ++byte) atlas.glyphs[static_cast<std::size_t>(byte)] = {1, 2, 5, 8, 0, 0, 7};
  atlas.glyphs['A'] = {1, 2, 5, 8, 64, 16, 7};
  atlas.glyphs[' '] = {0, 0, 0, 0, 0, 0, 7};
  return atlas;
}

TEST(GlyphQuads, AGlyphQuadCoversItsInkAndCopiesItsAtlasRectangle) {
  const ge::FontAtlas atlas = smallAtlas();
  const ge::Quad quad = ge::GlyphQuad(atlas, atlas.glyphs['A'], 30, 40, 0x80FF0000u);
  const ge::QuadVertex expected[4] = {{30, 40, 0x80FF0000u, 0.25f, 0.25f},
                                      {35, 40, 0x80FF0000u, 69.0f / 256, 0.25f},
                                      {30, 48, 0x80FF0000u, 0.25f, 24.0f / 64},
                                      {35, 48, 0x80FF0000u, 69.0f / 256, 24.0f / 64}};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(expected[i].x, quad.vertices[i].x) << i;
    EXPECT_EQ(expected[i].y, quad.vertices[i].y) << i;
    EXPECT_EQ(expected[i].colour, quad.vertices[i].colour) << i;
    EXPECT_EQ(expected[i].u, quad.vertices[i].u) << i;
    EXPECT_EQ(expected[i].v, quad.vertices[i].v) << i;
  }
}

TEST(GlyphQuads, TextGivesOneQuadPerInkedGlyphAtItsLaidOutPlace) {
  const ge::FontAtlas atlas = smallAtlas();
  std::vector<ge::Quad> quads;
  // "A A": 21 pixels wide, centred on 100 in a 500-pixel box by whole pixels: the pen starts at 89.
  ge::ForEachGlyphQuad(atlas, 100.7f, 20.0f, "A A", 0xFFFFFFFFu, [&](const ge::Quad& quad) { quads.push_back(quad); });
  ASSERT_EQ(2u, quads.size());
  EXPECT_EQ(90.0f, quads[0].vertices[0].x);
  EXPECT_EQ(22.0f, quads[0].vertices[0].y);
  EXPECT_EQ(104.0f, quads[1].vertices[0].x);
}

}  // namespace
