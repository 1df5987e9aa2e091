// The committed pictures and music: each BMP reads with the loader's rules at the size the drawing
// code expects, every tile the game draws from holds a picture of its own, see-through corners are
// pure black, the generator reproduces the committed files, and the music is a small MP3 that
// lasts at least a minute. The desktop icons are RGBA PNGs the generator reproduces as well.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <string>
#include <vector>

#include "game/sheet_layout.h"
#include "ge/bmp_image.h"
#include "tests/support/file_contents.h"
#include "tests/support/temporary_folder.h"

namespace {

const std::string kDataFolder = std::string(VARNELLE_SOURCE_DIR) + "/data/";

struct Rect {
  int x, y, w, h;
};

// A rectangle the game draws from (game/sheet_layout.h).
Rect rectOf(const SheetRect& tile) { return {tile.x, tile.y, tile.width, tile.height}; }

// A committed picture read as the texture loader reads it.
struct Picture {
  explicit Picture(const std::string& name) {
    std::string error;
    EXPECT_TRUE(ge::ReadBmpFile((kDataFolder + name).c_str(), image, error)) << name << ": " << error;
  }
  bool black(int x, int y) const {
    const std::size_t i = (static_cast<std::size_t>(y) * static_cast<std::size_t>(image.width) + static_cast<std::size_t>(x)) * 3;
    return image.rgb[i] == 0 && image.rgb[i + 1] == 0 && image.rgb[i + 2] == 0;
  }
  int visible(Rect r) const {
    int count = 0;
    for (int y = r.y; y < r.y + r.h; ++y) {
      for (int x = r.x; x < r.x + r.w; ++x) count += black(x, y) ? 0 : 1;
    }
    return count;
  }
  std::vector<std::uint8_t> pixels(Rect r) const {
    std::vector<std::uint8_t> bytes;
    for (int y = r.y; y < r.y + r.h; ++y) {
      const auto row = image.rgb.begin() + (static_cast<std::ptrdiff_t>(y) * image.width + r.x) * 3;
      bytes.insert(bytes.end(), row, row + r.w * 3);
    }
    return bytes;
  }
  ge::BmpImage image;
};

// Each named tile shows enough of a picture and no two of them are the same.
void expectDistinctTiles(const Picture& picture, const std::vector<std::pair<const char*, Rect>>& tiles, int minimumVisible) {
  for (std::size_t i = 0; i < tiles.size(); ++i) {
    EXPECT_GE(picture.visible(tiles[i].second), minimumVisible) << tiles[i].first;
    for (std::size_t j = i + 1; j < tiles.size(); ++j) {
      EXPECT_NE(picture.pixels(tiles[i].second), picture.pixels(tiles[j].second)) << tiles[i].first << " = " << tiles[j].first;
    }
  }
}

TEST(Assets, EveryPictureHasItsSizeAndEveryNamedTileAPictureOfItsOwn) {
  const std::pair<const char*, int> sizes[] = {{"field.bmp", kFieldSheet.width}, {"button.bmp", kButtonSheet.width},
                                               {"unit.bmp", kUnitSheet.width}, {"logo.bmp", 100}, {"vusk.bmp", 200}};
  static_assert(kFieldSheet.width == kFieldSheet.height && kButtonSheet.width == kButtonSheet.height &&
                kUnitSheet.width == kUnitSheet.height);
  for (const auto& [name, side] : sizes) {
    const Picture picture(name);
    EXPECT_EQ(side, picture.image.width) << name;
    EXPECT_EQ(side, picture.image.height) << name;
    if (std::string(name) == "logo.bmp" || std::string(name) == "vusk.bmp") {
      EXPECT_GT(picture.visible({0, 0, side, side}), side * side / 4) << name;
    }
  }

  const Picture field("field.bmp");
  const auto tile = [](int column, int row) { return rectOf(fieldTile(column, row)); };
  EXPECT_EQ(256, field.visible(tile(0, 0))) << "the floor is opaque";
  expectDistinctTiles(field, {{"floor", tile(0, 0)}, {"block A", tile(1, 0)}, {"block B", tile(2, 0)}, {"block C", tile(3, 0)}}, 150);
  for (int i = 0; i < 4; ++i) {
    EXPECT_TRUE(field.black(16 * i + 15, 0) == (i > 0)) << "blocks have see-through corners " << i;
    EXPECT_TRUE(field.black(16 * i, 48)) << "arrows stand on see-through black " << i;
    EXPECT_EQ(0, field.visible({16 * i, 60, 16, 4})) << "the next field row covers the arrow's last rows " << i;
  }
  expectDistinctTiles(field, {{"belt 0", tile(0, 1)}, {"belt 1", tile(1, 1)}, {"belt 2", tile(2, 1)}, {"belt 3", tile(3, 1)}}, 256);
  expectDistinctTiles(field, {{"down 0", tile(0, 2)}, {"down 1", tile(1, 2)}, {"down 2", tile(2, 2)}, {"down 3", tile(3, 2)}}, 256);
  expectDistinctTiles(field, {{"arrow 0", tile(0, 3)}, {"arrow 1", tile(1, 3)}, {"arrow 2", tile(2, 3)}, {"arrow 3", tile(3, 3)}}, 30);

  const Picture button("button.bmp");
  expectDistinctTiles(button, {{"face 0", rectOf(buttonFace(0))}, {"face 1", rectOf(buttonFace(1))},
                               {"face 2", rectOf(buttonFace(2))}, {"face 3", rectOf(buttonFace(3))}}, 300);
  EXPECT_TRUE(button.black(0, 0)) << "faces have rounded corners";
  EXPECT_EQ(1600, button.visible(rectOf(kLevelCellTile))) << "the level cell is opaque";
  expectDistinctTiles(button, {{"easy", rectOf(difficultyStrip(1))}, {"medium", rectOf(difficultyStrip(2))},
                               {"hard", rectOf(difficultyStrip(3))}, {"solved", rectOf(kSolvedMarkTile)}}, 400);

  const Picture unit("unit.bmp");
  EXPECT_EQ(48 * 32, unit.visible(rectOf(kLowerBodyTile))) << "the lower body is opaque";
  expectDistinctTiles(unit, {{"upper 0", rectOf(kTriggerBodyTile)}, {"upper 1", rectOf(kSwapperBodyTile)},
                             {"upper 2", rectOf(kAccumulatorBodyTile)}}, 48 * 32 * 3 / 4);
  expectDistinctTiles(unit, {{"left mark", rectOf(sideMarkTile(0))}, {"right mark", rectOf(sideMarkTile(1))}}, 60);
  expectDistinctTiles(unit, {{"colour A", rectOf(storedColourTile(1))}, {"colour B", rectOf(storedColourTile(2))},
                             {"colour C", rectOf(storedColourTile(3))}}, 64);
  EXPECT_EQ(0, unit.visible({64, 0, 64, 128})) << "the right half is unused";
}

TEST(Assets, GeneratorReproducesTheCommittedPicturesByteForByte) {
  const TemporaryFolder temporary;
  const std::string folder = temporary.path();
  const std::string command = "'" + std::string(VARNELLE_ART_TOOL) + "' '" + folder + "' > /dev/null";
  ASSERT_EQ(0, std::system(command.c_str()));
  for (const char* name : {"logo.bmp", "vusk.bmp", "field.bmp", "button.bmp", "unit.bmp"}) {
    const std::vector<char> generated = ReadFileChars(folder + "/" + name);
    EXPECT_FALSE(generated.empty()) << name;
    EXPECT_TRUE(generated == ReadFileChars(kDataFolder + name)) << name << " differs from the generator's output: run varnelle-art";
  }
}

// The desktop icons, dist/icons/varnelle-<size>.png, drawn from the logo by varnelle-art --icons.
const int kIconSizes[] = {16, 32, 48, 64, 128, 256};

std::string iconName(int size) { return "varnelle-" + std::to_string(size) + ".png"; }

std::string committedIcon(int size) { return std::string(VARNELLE_SOURCE_DIR) + "/dist/icons/" + iconName(size); }

TEST(Assets, EveryIconIsASquareRgbaPngOfItsSize) {
  const char signature[] = "\x89PNG\r\n\x1a\n";
  for (const int size : kIconSizes) {
    const std::vector<char> bytes = ReadFileChars(committedIcon(size));
    ASSERT_GT(bytes.size(), 33u) << iconName(size) << " is missing or cut short";
    EXPECT_EQ(std::string(signature, 8), std::string(bytes.begin(), bytes.begin() + 8)) << iconName(size);
    EXPECT_EQ("IHDR", std::string(bytes.begin() + 12, bytes.begin() + 16)) << iconName(size);
    const auto bigEndian = [&](std::size_t at) {
      return (static_cast<unsigned>(static_cast<unsigned char>(bytes[at])) << 24) |
             (static_cast<unsigned>(static_cast<unsigned char>(bytes[at + 1])) << 16) |
             (static_cast<unsigned>(static_cast<unsigned char>(bytes[at + 2])) << 8) |
             static_cast<unsigned>(static_cast<unsigned char>(bytes[at + 3]));
    };
    EXPECT_EQ(static_cast<unsigned>(size), bigEndian(16)) << iconName(size) << " width";
    EXPECT_EQ(static_cast<unsigned>(size), bigEndian(20)) << iconName(size) << " height";
    EXPECT_EQ(8, bytes[24]) << iconName(size) << " bits per channel";
    EXPECT_EQ(6, bytes[25]) << iconName(size) << " colour type: RGBA";
  }
}

TEST(Assets, GeneratorReproducesTheCommittedIconsByteForByte) {
  const TemporaryFolder temporary;
  const std::string command = "'" + std::string(VARNELLE_ART_TOOL) + "' --icons '" + temporary.path() + "' > /dev/null";
  ASSERT_EQ(0, std::system(command.c_str()));
  for (const int size : kIconSizes) {
    EXPECT_TRUE(ReadFileChars(temporary.file(iconName(size))) == ReadFileChars(committedIcon(size)))
        << iconName(size) << " differs from the generator's output: run varnelle-art --icons ../dist/icons";
  }
  const auto entries = std::filesystem::directory_iterator(temporary.path());
  EXPECT_EQ(std::size(kIconSizes), static_cast<std::size_t>(std::distance(begin(entries), end(entries))))
      << "the generator wrote files it was not asked for";
}

TEST(Assets, MusicIsAnMp3UnderTwoMegabytesWhoseInfoTagGivesAMinuteOrMore) {
  const std::vector<char> bytes = ReadFileChars(std::string(VARNELLE_SOURCE_DIR) + "/music/main.mp3");
  ASSERT_GT(bytes.size(), 1000u) << "music/main.mp3 is missing";
  EXPECT_LT(bytes.size(), 2u * 1024u * 1024u);
  const auto byte = [&](std::size_t i) { return static_cast<unsigned>(static_cast<unsigned char>(bytes[i])); };
  // Past an ID3v2 tag if there is one, the first frame carries the encoder's Info (or Xing) tag
  // with the frame count that gives the player the exact length.
  std::size_t at = 0;
  if (bytes[0] == 'I' && bytes[1] == 'D' && bytes[2] == '3') {
    at = 10 + ((byte(6) & 0x7Fu) << 21 | (byte(7) & 0x7Fu) << 14 | (byte(8) & 0x7Fu) << 7 | (byte(9) & 0x7Fu));
  }
  ASSERT_LT(at + 200, bytes.size());
  ASSERT_TRUE(byte(at) == 0xFF && (byte(at + 1) & 0xE0u) == 0xE0u) << "frame sync";
  const std::string head(bytes.begin() + static_cast<std::ptrdiff_t>(at), bytes.begin() + static_cast<std::ptrdiff_t>(at) + 200);
  std::size_t tag = head.find("Info");
  if (tag == std::string::npos) tag = head.find("Xing");
  if (tag != std::string::npos) tag += at;
  ASSERT_NE(std::string::npos, tag) << "no Info tag: the player could not know the exact length";
  ASSERT_TRUE(byte(tag + 7) & 1u) << "the tag carries a frame count";
  const unsigned frames = (byte(tag + 8) << 24) | (byte(tag + 9) << 16) | (byte(tag + 10) << 8) | byte(tag + 11);
  EXPECT_GE(frames * 1152.0 / 44100.0, 60.0);
  EXPECT_LT(frames * 1152.0 / 44100.0, 180.0);
}

}  // namespace
