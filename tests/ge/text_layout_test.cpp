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

// A font of 7-pixel cells whose ink starts one pixel in and two below the line top; atlasX
// remembers the byte.
std::vector<Placed> layOut(float x, float y, const char* text) {
  ge::FontAtlas atlas;
  atlas.lineHeight = 14;
  atlas.ascent = 10;
  for (int byte = 0x21; byte < 256; ++byte) atlas.glyphs[static_cast<std::size_t>(byte)] = {1, 2, 5, 8, byte, 0, 7};
  atlas.glyphs[' '] = {0, 0, 0, 0, 0, 0, 7};
  std::vector<Placed> placed;
  ge::LayOutText(atlas, x, y, text, [&](const ge::GlyphBox& box, int left, int top) {
    placed.push_back({static_cast<unsigned char>(box.atlasX), left, top});
  });
  return placed;
}

TEST(TextLayout, EachLineIsCentredOnTruncatedXWithTheFirstTopAtY) {
  // Two cells, 14 pixels: the line starts at 256 − 7 = 249, the ink one further.
  EXPECT_EQ((std::vector<Placed>{{'A', 250, 10}, {'B', 257, 10}}), layOut(256.9f, 8.7f, "AB"));
  // An odd width leaves the extra pixel on the right: 21 wide, starting at 256 − 11.
  EXPECT_EQ((std::vector<Placed>{{'A', 246, 2}, {'B', 253, 2}, {'C', 260, 2}}), layOut(256.0f, 0.0f, "ABC"));
  // x −3.7 counts as −3, not −4.
  EXPECT_EQ((std::vector<Placed>{{'A', -6, 1}}), layOut(-3.7f, -1.9f, "A"));
  // Every line centred on its own, one line height lower; spaces advance without ink.
  EXPECT_EQ((std::vector<Placed>{{'A', 94, 22}, {'B', 101, 22}, {'C', 97, 36}, {'D', 90, 64}, {'E', 104, 64}}),
            layOut(100.0f, 20.0f, "AB\nC\n\nD E"));
  EXPECT_TRUE(layOut(100.0f, 0.0f, "\n\n").empty());
  EXPECT_EQ(1u, layOut(3.0e38f, -3.0e38f, "A").size()) << "huge coordinates stay defined";
}

}  // namespace
