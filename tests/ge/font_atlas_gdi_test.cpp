// The GDI font atlas under Wine (whose "Courier New" is Liberation Mono): a 14-pixel cell, the
// Cyrillic letters inked, every glyph placed inside the atlas and inside the line.
#include <gtest/gtest.h>

#include <string>

#include "ge/font_atlas.h"

namespace {

class FontAtlasGdi : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    std::string error;
    built = ge::BuildFontAtlas("Courier New", 14, atlas, error);
    buildError = error;
  }

  // Coverage bytes of one glyph's box above zero.
  static int inkOf(int byte) {
    const ge::GlyphBox& box = atlas.glyphs[static_cast<std::size_t>(byte)];
    int ink = 0;
    for (int row = 0; row < box.height; ++row) {
      for (int column = 0; column < box.width; ++column) {
        if (atlas.coverage[static_cast<std::size_t>((box.atlasY + row) * atlas.width + box.atlasX + column)] > 0) ++ink;
      }
    }
    return ink;
  }

  static inline ge::FontAtlas atlas;
  static inline bool built = false;
  static inline std::string buildError;
};

TEST_F(FontAtlasGdi, CellOfFourteenPixelsGivesALineOfFourteenWithTheBaselineInside) {
  ASSERT_TRUE(built) << buildError;
  EXPECT_EQ(14, atlas.lineHeight);
  EXPECT_GE(atlas.ascent, 9);
  EXPECT_LE(atlas.ascent, 12);
  EXPECT_FALSE(atlas.family.empty());
}

TEST_F(FontAtlasGdi, EveryCyrillicLetterHasInkAndTheFontsOneAdvance) {
  ASSERT_TRUE(built) << buildError;
  const int advance = atlas.glyphs['A'].advance;
  EXPECT_GE(advance, 6);
  EXPECT_LE(advance, 9);
  // 0xC0..0xFF: А..я in Windows-1251; 0xA8 Ё, 0xB8 ё.
  for (int byte = 0xC0; byte <= 0xFF; ++byte) {
    EXPECT_GT(inkOf(byte), 3) << "byte " << byte;
    EXPECT_EQ(advance, atlas.glyphs[static_cast<std::size_t>(byte)].advance) << "byte " << byte;
  }
  EXPECT_GT(inkOf(0xA8), 3);
  EXPECT_GT(inkOf(0xB8), 3);
}

TEST_F(FontAtlasGdi, GreyLevelsAreKeptNotThresholded) {
  ASSERT_TRUE(built) << buildError;
  int partial = 0;
  for (std::uint8_t value : atlas.coverage) {
    if (value > 0 && value < 255) ++partial;
  }
  EXPECT_GT(partial, 100);
}

TEST_F(FontAtlasGdi, SpaceAdvancesWithoutInkAndControlBytesHaveNoGlyph) {
  ASSERT_TRUE(built) << buildError;
  EXPECT_EQ(0, atlas.glyphs[' '].width);
  EXPECT_EQ(atlas.glyphs['A'].advance, atlas.glyphs[' '].advance);
  EXPECT_EQ(0, atlas.glyphs['\n'].width);
  EXPECT_EQ(0, atlas.glyphs['\n'].advance);
}

TEST_F(FontAtlasGdi, GlyphsLieInsideTheAtlasAndInsideTheLine) {
  ASSERT_TRUE(built) << buildError;
  ASSERT_EQ(static_cast<std::size_t>(atlas.width * atlas.height), atlas.coverage.size());
  for (int byte = 0x20; byte < 256; ++byte) {
    const ge::GlyphBox& box = atlas.glyphs[static_cast<std::size_t>(byte)];
    if (box.width == 0) continue;
    EXPECT_GE(box.atlasX, 0) << byte;
    EXPECT_GE(box.atlasY, 0) << byte;
    EXPECT_LE(box.atlasX + box.width, atlas.width) << byte;
    EXPECT_LE(box.atlasY + box.height, atlas.height) << byte;
    // Letters stay within the line: a glyph that starts above it or ends below it was misplaced.
    EXPECT_GE(box.top, -1) << byte;
    EXPECT_LE(box.top + box.height, atlas.lineHeight + 1) << byte;
  }
}

}  // namespace
