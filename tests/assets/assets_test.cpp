// The committed pictures and music: each BMP is a 24-bit file of the size the drawing code expects,
// every tile the game draws from holds a picture that tells it apart from its neighbours, the
// see-through sheets are pure black only where nothing is meant to be, the generator reproduces the
// committed files, and the music file is a small MP3 with a gapless length of at least a minute.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "ge/bmp_image.h"

namespace {

const std::string kDataFolder = std::string(VARNELLE_SOURCE_DIR) + "/data/";

struct Rgb {
  int r = 0, g = 0, b = 0;
  bool operator==(const Rgb&) const = default;
  bool black() const { return r == 0 && g == 0 && b == 0; }
};

struct Rect {
  int x, y, w, h;
};

class Picture {
 public:
  explicit Picture(const std::string& name) {
    std::string error;
    loaded_ = ge::ReadBmpFile((kDataFolder + name).c_str(), image_, error);
    EXPECT_TRUE(loaded_) << name << ": " << error;
  }

  bool loaded() const { return loaded_; }
  int width() const { return image_.width; }
  int height() const { return image_.height; }

  Rgb at(int x, int y) const {
    const std::size_t i = (static_cast<std::size_t>(y) * static_cast<std::size_t>(image_.width) + static_cast<std::size_t>(x)) * 3;
    return {image_.rgb[i], image_.rgb[i + 1], image_.rgb[i + 2]};
  }

  int countVisible(Rect r) const {
    int count = 0;
    for (int y = r.y; y < r.y + r.h; ++y) {
      for (int x = r.x; x < r.x + r.w; ++x) count += at(x, y).black() ? 0 : 1;
    }
    return count;
  }

  bool same(Rect a, Rect b) const {
    for (int y = 0; y < a.h; ++y) {
      for (int x = 0; x < a.w; ++x) {
        if (!(at(a.x + x, a.y + y) == at(b.x + x, b.y + y))) return false;
      }
    }
    return true;
  }

  int distinctColours(Rect r) const {
    std::vector<int> seen;
    for (int y = r.y; y < r.y + r.h; ++y) {
      for (int x = r.x; x < r.x + r.w; ++x) {
        const Rgb c = at(x, y);
        const int key = (c.r << 16) | (c.g << 8) | c.b;
        if (std::find(seen.begin(), seen.end(), key) == seen.end()) seen.push_back(key);
      }
    }
    return static_cast<int>(seen.size());
  }

  // Mean of the strongly coloured pixels (outlines, greys and see-through black left out).
  Rgb meanColour(Rect r) const {
    long sum[3] = {0, 0, 0};
    long count = 0;
    for (int y = r.y; y < r.y + r.h; ++y) {
      for (int x = r.x; x < r.x + r.w; ++x) {
        const Rgb c = at(x, y);
        if (std::max({c.r, c.g, c.b}) - std::min({c.r, c.g, c.b}) < 60) continue;
        sum[0] += c.r;
        sum[1] += c.g;
        sum[2] += c.b;
        ++count;
      }
    }
    if (count == 0) return {};
    return {static_cast<int>(sum[0] / count), static_cast<int>(sum[1] / count), static_cast<int>(sum[2] / count)};
  }

 private:
  ge::BmpImage image_;
  bool loaded_ = false;
};

double hueDegrees(Rgb c) {
  const double r = c.r / 255.0, g = c.g / 255.0, b = c.b / 255.0;
  const double high = std::max({r, g, b}), low = std::min({r, g, b});
  if (high - low < 1e-9) return 0;
  double hue = 0;
  if (high == r) hue = 60 * std::fmod((g - b) / (high - low) + 6, 6.0);
  else if (high == g) hue = 60 * ((b - r) / (high - low) + 2);
  else hue = 60 * ((r - g) / (high - low) + 4);
  return hue;
}

double hueDistance(Rgb a, Rgb b) {
  const double d = std::fabs(hueDegrees(a) - hueDegrees(b));
  return std::min(d, 360 - d);
}

int colourDistance(Rgb a, Rgb b) { return std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b); }

Rect fieldTile(int column, int row) { return {16 * column, 16 * row, 16, 16}; }

TEST(FieldSheet, FloorAndBlocksAreDistinctAndBlocksStandOnSeeThroughBlack) {
  Picture field("field.bmp");
  ASSERT_TRUE(field.loaded());
  EXPECT_EQ(64, field.width());
  EXPECT_EQ(64, field.height());
  EXPECT_EQ(256, field.countVisible(fieldTile(0, 0))) << "the floor is opaque";
  for (int colour = 1; colour <= 3; ++colour) {
    const Rect block = fieldTile(colour, 0);
    EXPECT_GT(field.countVisible(block), 150) << "block " << colour;
    EXPECT_LT(field.countVisible(block), 256) << "block " << colour << " has see-through corners";
    EXPECT_TRUE(field.at(block.x, block.y).black()) << "block " << colour;
    EXPECT_TRUE(field.at(block.x + 15, block.y).black()) << "block " << colour;
    EXPECT_GT(colourDistance(field.meanColour(block), field.meanColour(fieldTile(0, 0))), 100) << "block " << colour;
    EXPECT_GE(field.distinctColours(block), 6) << "block " << colour << " is shaded and lettered";
  }
  // Red, green, blue: far apart in hue, and not only in hue.
  const Rgb a = field.meanColour(fieldTile(1, 0));
  const Rgb b = field.meanColour(fieldTile(2, 0));
  const Rgb c = field.meanColour(fieldTile(3, 0));
  EXPECT_GT(hueDistance(a, b), 60);
  EXPECT_GT(hueDistance(b, c), 60);
  EXPECT_GT(hueDistance(a, c), 60);
  EXPECT_FALSE(field.same(fieldTile(1, 0), fieldTile(2, 0)));
  EXPECT_FALSE(field.same(fieldTile(2, 0), fieldTile(3, 0)));
}

TEST(FieldSheet, ConveyorFramesMoveTheBeltOnePixelPerFrame) {
  Picture field("field.bmp");
  ASSERT_TRUE(field.loaded());
  for (int frame = 0; frame < 4; ++frame) {
    EXPECT_EQ(256, field.countVisible(fieldTile(frame, 1))) << "horizontal frame " << frame << " is opaque";
    EXPECT_EQ(256, field.countVisible(fieldTile(frame, 2))) << "vertical frame " << frame << " is opaque";
    for (int other = frame + 1; other < 4; ++other) {
      EXPECT_FALSE(field.same(fieldTile(frame, 1), fieldTile(other, 1))) << frame << " " << other;
      EXPECT_FALSE(field.same(fieldTile(frame, 2), fieldTile(other, 2))) << frame << " " << other;
    }
  }
  // Played in order, the horizontal belt runs right and the vertical belt runs down; each frame is
  // the one before moved by a pixel, wrapping around within the tile.
  for (int frame = 0; frame < 4; ++frame) {
    const int next = (frame + 1) % 4;
    for (int y = 3; y <= 9; ++y) {
      for (int x = 0; x < 16; ++x) {
        EXPECT_EQ(field.at(16 * frame + x, 16 + y), field.at(16 * next + (x + 1) % 16, 16 + y))
            << "horizontal frame " << frame << " at " << x << "," << y;
      }
    }
    for (int y = 0; y < 12; ++y) {
      for (int x = 3; x <= 12; ++x) {
        EXPECT_EQ(field.at(16 * frame + x, 32 + y), field.at(16 * next + x, 32 + (y + 1) % 12))
            << "vertical frame " << frame << " at " << x << "," << y;
      }
    }
  }
}

TEST(FieldSheet, ArrowsAreDistinctShapesOnSeeThroughBlack) {
  Picture field("field.bmp");
  ASSERT_TRUE(field.loaded());
  for (int direction = 0; direction < 4; ++direction) {
    const Rect arrow = fieldTile(direction, 3);
    EXPECT_GT(field.countVisible(arrow), 30) << direction;
    EXPECT_LT(field.countVisible(arrow), 128) << direction << ": the belt shows around the arrow";
    // Nothing in the rows the next field row covers, and the corners are clear.
    EXPECT_EQ(0, field.countVisible({arrow.x, arrow.y + 12, 16, 4})) << direction;
    EXPECT_TRUE(field.at(arrow.x, arrow.y).black());
    for (int other = direction + 1; other < 4; ++other) EXPECT_FALSE(field.same(arrow, fieldTile(other, 3)));
  }
  // Each arrow comes to a point on the side it faces and ends broad on the other: the outermost
  // visible line towards its direction holds one pixel, the one opposite several.
  for (int direction = 0; direction < 4; ++direction) {
    const bool horizontal = direction % 2 == 0;
    std::vector<int> lines;  // visible pixels per column (right/left) or row (down/up)
    for (int line = 0; line < (horizontal ? 16 : 12); ++line) {
      const Rect rect = horizontal ? Rect{16 * direction + line, 48, 1, 12} : Rect{16 * direction, 48 + line, 16, 1};
      lines.push_back(field.countVisible(rect));
    }
    const auto first = std::find_if(lines.begin(), lines.end(), [](int n) { return n > 0; });
    const auto last = std::find_if(lines.rbegin(), lines.rend(), [](int n) { return n > 0; });
    ASSERT_NE(lines.end(), first);
    const bool pointsForward = direction == 0 || direction == 1;
    EXPECT_EQ(1, pointsForward ? *last : *first) << "direction " << direction;
    EXPECT_GE(pointsForward ? *first : *last, 3) << "direction " << direction;
  }
}

TEST(ButtonSheet, FacesCellStripsAndSolvedMarkArePresentAndDistinct) {
  Picture button("button.bmp");
  ASSERT_TRUE(button.loaded());
  EXPECT_EQ(80, button.width());
  EXPECT_EQ(80, button.height());
  for (int face = 0; face < 4; ++face) {
    const Rect rect{20 * face, 0, 20, 20};
    EXPECT_GT(button.countVisible(rect), 300) << "face " << face;
    EXPECT_TRUE(button.at(rect.x, rect.y).black()) << "face " << face << " has rounded corners";
    for (int other = face + 1; other < 4; ++other) EXPECT_FALSE(button.same(rect, {20 * other, 0, 20, 20}));
  }
  EXPECT_EQ(1600, button.countVisible({0, 20, 40, 40})) << "the level cell is opaque";
  const Rect strips[4] = {{40, 20, 40, 10}, {40, 30, 40, 10}, {40, 40, 40, 10}, {40, 50, 40, 10}};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(400, button.countVisible(strips[i])) << "strip " << i << " is opaque";
    for (int j = i + 1; j < 4; ++j) {
      EXPECT_GT(colourDistance(button.meanColour(strips[i]), button.meanColour(strips[j])), 80) << i << " " << j;
    }
  }
  // Easy green, Medium yellow-orange, Hard red.
  EXPECT_NEAR(120, hueDegrees(button.meanColour(strips[0])), 30);
  EXPECT_NEAR(40, hueDegrees(button.meanColour(strips[1])), 20);
  EXPECT_LT(hueDistance(button.meanColour(strips[2]), {255, 0, 0}), 20);
  EXPECT_EQ(0, button.countVisible({0, 60, 80, 20})) << "the bottom quarter is unused";
}

TEST(UnitSheet, BodiesMarksAndColourTilesSitInTheirRectangles) {
  Picture unit("unit.bmp");
  ASSERT_TRUE(unit.loaded());
  EXPECT_EQ(128, unit.width());
  EXPECT_EQ(128, unit.height());
  const Rect lower{0, 0, 48, 32};
  const Rect upper[3] = {{0, 32, 48, 32}, {0, 64, 48, 32}, {0, 96, 48, 32}};
  EXPECT_EQ(48 * 32, unit.countVisible(lower)) << "the lower body is the opaque inside of the machine";
  for (int kind = 0; kind < 3; ++kind) {
    EXPECT_GT(unit.countVisible(upper[kind]), 48 * 32 * 3 / 4) << "kind " << kind;
    for (int other = kind + 1; other < 3; ++other) {
      EXPECT_GT(colourDistance(unit.meanColour(upper[kind]), unit.meanColour(upper[other])), 100) << kind << " " << other;
    }
  }
  // The housing is open at the back of the columns where the kind takes blocks in, and at the
  // front of those where it gives them out; elsewhere it covers the blocks.
  const bool intake[3][3] = {{false, true, false}, {true, false, true}, {true, false, false}};
  const bool outlet[3][3] = {{true, false, true}, {true, false, true}, {true, true, true}};
  for (int kind = 0; kind < 3; ++kind) {
    for (int port = 0; port < 3; ++port) {
      EXPECT_EQ(intake[kind][port], unit.at(16 * port + 8, upper[kind].y + 2).black()) << "kind " << kind << " port " << port;
      EXPECT_EQ(outlet[kind][port], unit.at(16 * port + 8, upper[kind].y + 29).black()) << "kind " << kind << " port " << port;
    }
  }
  const Rect leftMark{48, 32, 16, 16};
  const Rect rightMark{48, 48, 16, 16};
  EXPECT_GT(unit.countVisible(leftMark), 60);
  EXPECT_GT(unit.countVisible(rightMark), 60);
  EXPECT_TRUE(unit.at(48, 32).black());
  EXPECT_FALSE(unit.same(leftMark, rightMark));
  // The accumulator's colour tiles show the hue of the block of the same colour.
  Picture field("field.bmp");
  ASSERT_TRUE(field.loaded());
  for (int colour = 1; colour <= 3; ++colour) {
    const Rect tile{48, 96 + 8 * colour, 8, 8};
    EXPECT_EQ(64, unit.countVisible(tile)) << "colour " << colour;
    EXPECT_LT(hueDistance(unit.meanColour(tile), field.meanColour(fieldTile(colour, 0))), 15) << "colour " << colour;
  }
  // Everything else on the sheet is unused and see-through.
  EXPECT_EQ(0, unit.countVisible({64, 0, 64, 128}));
  EXPECT_EQ(0, unit.countVisible({48, 0, 16, 32}));
  EXPECT_EQ(0, unit.countVisible({48, 64, 16, 40}));
  EXPECT_EQ(0, unit.countVisible({56, 104, 8, 24}));
}

TEST(IntroPictures, LogoAndSplashAreOpaquePictures) {
  Picture logo("logo.bmp");
  Picture splash("vusk.bmp");
  ASSERT_TRUE(logo.loaded());
  ASSERT_TRUE(splash.loaded());
  EXPECT_EQ(100, logo.width());
  EXPECT_EQ(100, logo.height());
  EXPECT_EQ(200, splash.width());
  EXPECT_EQ(200, splash.height());
  EXPECT_GT(logo.countVisible({0, 0, 100, 100}), 100 * 100 / 4);
  EXPECT_GT(splash.countVisible({0, 0, 200, 200}), 200 * 200 / 2);
  EXPECT_GT(logo.distinctColours({0, 0, 100, 100}), 30);
  EXPECT_GT(splash.distinctColours({0, 0, 200, 200}), 60);
}

std::vector<char> readFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

TEST(ArtGenerator, ReproducesTheCommittedPicturesByteForByte) {
  const std::string folder = ::testing::TempDir() + "varnelle_art_check";
  const std::string command = "mkdir -p '" + folder + "' && '" + VARNELLE_ART_TOOL + "' '" + folder + "' > /dev/null";
  ASSERT_EQ(0, std::system(command.c_str()));
  for (const char* name : {"logo.bmp", "vusk.bmp", "field.bmp", "button.bmp", "unit.bmp"}) {
    const std::vector<char> generated = readFile(folder + "/" + name);
    const std::vector<char> committed = readFile(kDataFolder + name);
    EXPECT_FALSE(generated.empty()) << name;
    EXPECT_TRUE(generated == committed) << name << " differs from the generator's output: run varnelle-art";
    std::remove((folder + "/" + name).c_str());
  }
  std::remove(folder.c_str());
}

TEST(Music, IsAnMp3UnderTwoMegabytesWithAGaplessLengthOfAMinuteOrMore) {
  const std::vector<char> bytes = readFile(std::string(VARNELLE_SOURCE_DIR) + "/music/main.mp3");
  ASSERT_FALSE(bytes.empty()) << "music/main.mp3 is missing";
  EXPECT_LT(bytes.size(), 2u * 1024u * 1024u);
  // Skip an ID3v2 tag if there is one; then the first frame must carry the encoder's Info (or
  // Xing) tag with its frame count, which is what gives the player the exact length.
  std::size_t at = 0;
  if (bytes.size() > 10 && bytes[0] == 'I' && bytes[1] == 'D' && bytes[2] == '3') {
    at = 10 + ((static_cast<std::size_t>(bytes[6] & 0x7F) << 21) | (static_cast<std::size_t>(bytes[7] & 0x7F) << 14) |
               (static_cast<std::size_t>(bytes[8] & 0x7F) << 7) | static_cast<std::size_t>(bytes[9] & 0x7F));
  }
  ASSERT_LT(at + 200, bytes.size());
  const auto byte = [&](std::size_t i) { return static_cast<unsigned>(static_cast<unsigned char>(bytes[i])); };
  ASSERT_EQ(0xFFu, byte(at));
  ASSERT_EQ(0xE0u, byte(at + 1) & 0xE0u) << "frame sync";
  std::size_t tag = 0;
  for (std::size_t i = at + 4; i + 16 < at + 200; ++i) {
    const std::string word(bytes.begin() + static_cast<std::ptrdiff_t>(i), bytes.begin() + static_cast<std::ptrdiff_t>(i) + 4);
    if (word == "Info" || word == "Xing") {
      tag = i;
      break;
    }
  }
  ASSERT_NE(0u, tag) << "no Info tag: the player could not know the exact length";
  ASSERT_TRUE(byte(tag + 7) & 1u) << "the tag carries a frame count";
  const unsigned frames = (byte(tag + 8) << 24) | (byte(tag + 9) << 16) | (byte(tag + 10) << 8) | byte(tag + 11);
  const double seconds = frames * 1152.0 / 44100.0;
  EXPECT_GE(seconds, 60.0);
  EXPECT_LT(seconds, 180.0);
}

}  // namespace
