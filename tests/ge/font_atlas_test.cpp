// Packing glyph bitmaps into the font atlas, and sizing a font by Windows cell height.
#include "ge/font_atlas.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

ge::GlyphBitmap glyph(int width, int height, std::uint8_t ink, int advance = 7) {
  ge::GlyphBitmap bitmap;
  bitmap.box.left = 1;
  bitmap.box.top = 2;
  bitmap.box.width = width;
  bitmap.box.height = height;
  bitmap.box.advance = advance;
  bitmap.pixels.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), ink);
  return bitmap;
}

TEST(FontAtlas, GlyphsArePackedOnePixelApartOnShelvesWithTheirInkAndMetricsKept) {
  std::vector<ge::GlyphBitmap> glyphs(256);
  glyphs['a'] = glyph(100, 5, 10);
  glyphs['b'] = glyph(100, 9, 20);
  glyphs['c'] = glyph(60, 4, 30);  // 1 + 101 + 101 + 61 > 256: a new shelf below the taller one
  glyphs[' '] = glyph(0, 0, 0, 7);
  ge::FontAtlas atlas;
  std::string error;
  ASSERT_TRUE(ge::PackFontAtlas(glyphs, atlas, error)) << error;
  EXPECT_EQ(256, atlas.width);
  EXPECT_EQ(1 + 9 + 1 + 4 + 1, atlas.height);
  EXPECT_EQ(1, atlas.glyphs['a'].atlasX);
  EXPECT_EQ(1, atlas.glyphs['a'].atlasY);
  EXPECT_EQ(102, atlas.glyphs['b'].atlasX);
  EXPECT_EQ(1, atlas.glyphs['c'].atlasX);
  EXPECT_EQ(11, atlas.glyphs['c'].atlasY);
  EXPECT_EQ(2, atlas.glyphs['b'].top);
  EXPECT_EQ(7, atlas.glyphs[' '].advance);
  const auto at = [&](int x, int y) { return atlas.coverage[static_cast<std::size_t>(y) * 256 + static_cast<std::size_t>(x)]; };
  EXPECT_EQ(10, at(1, 1));
  EXPECT_EQ(10, at(100, 5));
  EXPECT_EQ(0, at(101, 1));  // the gap between a and b
  EXPECT_EQ(20, at(102, 9));
  EXPECT_EQ(0, at(1, 10));   // the gap between the shelves
  EXPECT_EQ(30, at(60, 14));
  EXPECT_EQ(0, at(61, 14));
}

TEST(FontAtlas, AGlyphWiderThanTheAtlasOrWithTooFewPixelsIsRefused) {
  std::vector<ge::GlyphBitmap> wide(256);
  wide['w'] = glyph(255, 2, 1);
  ge::FontAtlas atlas;
  std::string error;
  EXPECT_FALSE(ge::PackFontAtlas(wide, atlas, error));
  EXPECT_EQ("a glyph is wider than the atlas", error);
  std::vector<ge::GlyphBitmap> mismatched(256);
  mismatched['s'] = glyph(4, 4, 1);
  mismatched['s'].pixels.resize(15);
  EXPECT_FALSE(ge::PackFontAtlas(mismatched, atlas, error));
  EXPECT_EQ("a glyph's pixels do not match its size", error);
}

TEST(FontAtlas, ACellHeightSizesTheFontSoWindowsAscentAndDescentFillTheCell) {
  // Liberation Mono: 2048 units per em, usWinAscent 1705, usWinDescent 615.
  const ge::CellMetrics liberation = ge::MetricsForCellHeight(14, 2048, 1705, 615);
  EXPECT_EQ(12, liberation.pixelSize);
  EXPECT_EQ(10, liberation.ascent);
  EXPECT_EQ(4, liberation.descent);
  // Without Windows metrics the cell height is the pixel size and the rasteriser's own metrics count.
  const ge::CellMetrics none = ge::MetricsForCellHeight(14, 2048, 0, 0);
  EXPECT_EQ(14, none.pixelSize);
  EXPECT_EQ(0, none.ascent + none.descent);
}

}  // namespace
