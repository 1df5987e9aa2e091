// The layout of the tile sheets: every rectangle the game draws from lies on its sheet, and no two
// rectangles of a sheet share a pixel, so no tile shows part of another.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "game/sheet_layout.h"

namespace {

struct NamedTile {
  std::string name;
  SheetRect tile;
};

// Every rectangle the views draw from, sheet by sheet.
std::vector<std::vector<NamedTile>> tilesBySheet() {
  std::vector<NamedTile> field;
  for (std::int32_t row = 0; row < 4; ++row) {
    for (std::int32_t column = 0; column < 4; ++column) {
      field.push_back({"field tile " + std::to_string(column) + ", " + std::to_string(row), fieldTile(column, row)});
    }
  }
  std::vector<NamedTile> button = {{"level cell", kLevelCellTile}, {"solved mark", kSolvedMarkTile}};
  for (std::int32_t face = 0; face < 4; ++face) button.push_back({"button " + std::to_string(face), buttonFace(face)});
  for (std::int32_t level = 1; level <= 3; ++level) {
    button.push_back({"difficulty " + std::to_string(level), difficultyStrip(level)});
  }
  std::vector<NamedTile> unit = {{"lower body", kLowerBodyTile}, {"trigger body", kTriggerBodyTile},
                                 {"swapper body", kSwapperBodyTile}, {"accumulator body", kAccumulatorBodyTile},
                                 {"side mark 0", sideMarkTile(0)}, {"side mark 1", sideMarkTile(1)}};
  for (std::int32_t colour = 1; colour <= 3; ++colour) {
    unit.push_back({"stored colour " + std::to_string(colour), storedColourTile(colour)});
  }
  return {field, button, unit};
}

TEST(SheetLayout, EveryTileLiesInsideItsSheet) {
  const SheetSize sheets[] = {kFieldSheet, kButtonSheet, kUnitSheet};
  const std::vector<std::vector<NamedTile>> tiles = tilesBySheet();
  for (std::size_t sheet = 0; sheet < tiles.size(); ++sheet) {
    for (const auto& [name, tile] : tiles[sheet]) {
      SCOPED_TRACE(name);
      EXPECT_EQ(sheets[sheet], tile.sheet);
      EXPECT_GT(tile.width, 0);
      EXPECT_GT(tile.height, 0);
      EXPECT_GE(tile.x, 0);
      EXPECT_GE(tile.y, 0);
      EXPECT_LE(tile.x + tile.width, tile.sheet.width);
      EXPECT_LE(tile.y + tile.height, tile.sheet.height);
    }
  }
}

TEST(SheetLayout, NoTwoTilesOfASheetOverlap) {
  for (const std::vector<NamedTile>& sheet : tilesBySheet()) {
    for (std::size_t i = 0; i < sheet.size(); ++i) {
      for (std::size_t j = i + 1; j < sheet.size(); ++j) {
        const SheetRect& a = sheet[i].tile;
        const SheetRect& b = sheet[j].tile;
        const bool apart = a.x + a.width <= b.x || b.x + b.width <= a.x || a.y + a.height <= b.y || b.y + b.height <= a.y;
        EXPECT_TRUE(apart) << sheet[i].name << " overlaps " << sheet[j].name;
      }
    }
  }
}

}  // namespace
