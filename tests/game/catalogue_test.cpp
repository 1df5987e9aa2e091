// The game object and its thirteen levels as the game starts. What each level holds is proved by
// its written solution (solutions_test.cpp).
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <map>
#include <string>

#include "game/game.h"

namespace {

std::map<char, int> letterCounts(const std::array<std::string, 11>& texts) {
  std::map<char, int> counts;
  for (const std::string& text : texts) {
    for (const char letter : text) ++counts[letter];
  }
  return counts;
}

TEST(Catalogue, GameStartsOnTheLevelSelectWithThirteenUntouchedLevels) {
  Game game;
  EXPECT_EQ(-1, game.currentLevel);
  EXPECT_EQ(240, game.introTimer);
  ASSERT_EQ(13u, game.levels.size());
  for (std::size_t i = 0; i < game.levels.size(); ++i) {
    SCOPED_TRACE("level " + std::to_string(i + 1));
    const Level& level = *game.levels[i];
    EXPECT_EQ(static_cast<std::int32_t>(i + 1), level.number);
    EXPECT_EQ(&game, level.owner);
    EXPECT_FALSE(level.running || level.failed || level.won || level.solved || level.dragging);
    EXPECT_TRUE(level.units.empty() && level.blocks.empty());
    EXPECT_EQ(Level(nullptr).cells, level.cells);
    // Every level delivers exactly the letters it takes in, rearranged.
    EXPECT_EQ(letterCounts(level.inputs), letterCounts(level.targets));
  }
}

}  // namespace
