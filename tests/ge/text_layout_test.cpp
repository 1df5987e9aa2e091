// Text placement: lines centred on x by whole pixels, the first line's top at y, "\n" between lines.
#include "ge/text_layout.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Placed {
  unsigned char byte;
  int left;
  int top;
  bool operator==(const Placed&) const = default;
};

std::ostream& operator<<(std::ostream& stream, const Placed& placed) {
  return stream << "'" << placed.byte << "' at (" << placed.left << ", " << placed.top << ")";
}

class TextLayoutTest : public testing::Test {
 protected:
  TextLayoutTest() {
    atlas.lineHeight = 14;
    atlas.ascent = 10;
    for (int byte = 0x21; byte < 256; ++byte) {
      // Ink one pixel in from the cell's left, two below the line top; atlasX remembers the byte.
      atlas.glyphs[static_cast<std::size_t>(byte)] = {1, 2, 5, 8, byte, 0, 7};
    }
    atlas.glyphs[' '] = {0, 0, 0, 0, 0, 0, 7};
  }

  std::vector<Placed> layOut(float x, float y, const char* text) {
    std::vector<Placed> placed;
    ge::LayOutText(atlas, x, y, text, [&](const ge::GlyphBox& box, int left, int top) {
      placed.push_back({static_cast<unsigned char>(box.atlasX), left, top});
    });
    return placed;
  }

  ge::FontAtlas atlas;
};

TEST_F(TextLayoutTest, LineIsCentredOnTruncatedXWithTopAtY) {
  // Two cells, 14 pixels: the line starts at 256 − 250 + (500 − 14) / 2 = 249.
  EXPECT_EQ((std::vector<Placed>{{'A', 250, 10}, {'B', 257, 10}}), layOut(256.9f, 8.7f, "AB"));
  // An odd width leaves the extra pixel on the right: 3 cells = 21, (500 − 21) / 2 = 239.
  EXPECT_EQ((std::vector<Placed>{{'A', 246, 2}, {'B', 253, 2}, {'C', 260, 2}}), layOut(256.0f, 0.0f, "ABC"));
}

TEST_F(TextLayoutTest, NegativeCoordinatesTruncateTowardZero) {
  // x −3.7 counts as −3, not −4: the line starts at −3 − 250 + (500 − 7) / 2 = −7.
  EXPECT_EQ((std::vector<Placed>{{'A', -6, 1}}), layOut(-3.7f, -1.9f, "A"));
}

TEST_F(TextLayoutTest, EachLineIsCentredOnItsOwnAndStartsOneLineHeightLower) {
  const std::vector<Placed> placed = layOut(100.0f, 20.0f, "AB\nC\n\nD E");
  const std::vector<Placed> expected = {
      {'A', 93 + 1, 22}, {'B', 100 + 1, 22},                   // "AB": 14 wide, starts at 93
      {'C', 96 + 1, 36},                                         // "C": 7 wide, starts at 100 − 4
      {'D', 89 + 1, 64}, {'E', 103 + 1, 64},                     // "D E" after an empty line
  };
  EXPECT_EQ(expected, placed);
}

TEST_F(TextLayoutTest, SpacesAdvanceWithoutInkAndEmptyTextPlacesNothing) {
  EXPECT_EQ((std::vector<Placed>{{'A', 101, 2}}), layOut(100.0f, 0.0f, " A"));
  EXPECT_TRUE(layOut(100.0f, 0.0f, "").empty());
  EXPECT_TRUE(layOut(100.0f, 0.0f, "\n\n").empty());
  EXPECT_EQ(14, ge::LineWidth(atlas, " A\nBBB"));
}

TEST_F(TextLayoutTest, HugeCoordinatesStayDefined) {
  EXPECT_EQ(1u, layOut(3.0e38f, -3.0e38f, "A").size());
}

}  // namespace
