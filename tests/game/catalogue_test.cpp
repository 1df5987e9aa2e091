// The game object and its thirteen levels, checked against the table the levels were designed from.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "base/cp1251.h"
#include "game/game.h"

namespace {

struct ColumnText {
  std::int32_t column;
  std::string text;
};

struct LevelTable {
  std::int32_t difficulty;
  std::vector<ColumnText> inputs;
  std::vector<ColumnText> targets;
  std::int32_t triggers;
  std::int32_t swappers;
  std::int32_t accumulators;
  const char* hint;
};

constexpr std::int32_t kNone = -1;

const std::vector<LevelTable> kTable = {
    {1, {{5, "ABC"}}, {{5, "ABC"}}, kNone, kNone, kNone,
     "Используйте\nконвееры чтобы\nпереместить\nцветные блоки\nсверху вниз."_cp1251},
    {1, {{3, "AC"}, {7, "BC"}}, {{5, "ACBC"}}, kNone, kNone, kNone,
     "Осторожно,\nцветные блоки\nне должны\nсталкиваться\nдруг с другом."_cp1251},
    {1, {{5, "AB"}}, {{5, "BA"}}, 1, kNone, kNone,
     "Перетаскивайте\nисполнительные\nблоки из панели\nсправа на поле\nс помощью мыши."_cp1251},
    {2, {{3, "AA"}, {7, "BB"}}, {{3, "BB"}, {7, "AA"}}, 2, kNone, kNone,
     "Щелкните на\nисполнительном\nблоке чтобы\nизменить его\nсостояние."_cp1251},
    {2, {{3, "ABB"}, {7, "ACC"}}, {{5, "ABABCC"}}, 2, kNone, kNone,
     "В этой игре\nклассная музыка.\nНе правда ли?"_cp1251},
    {3, {{2, "AAA"}, {5, "BBB"}, {8, "CCC"}}, {{2, "ABC"}, {5, "ABC"}, {8, "ABC"}}, 3, kNone, kNone,
     "Просто сложный\nуровень. Ничего\nособенного."_cp1251},
    {3, {{2, "CA"}, {5, "BC"}, {8, "AB"}}, {{2, "BB"}, {5, "AA"}, {8, "CC"}}, 6, kNone, kNone,
     "Этот уровень\nдействительно\nсложный. К нему\nвсегда можно\nвернуться потом."_cp1251},
    {1, {{2, "AAA"}, {5, "BBB"}, {8, "CCC"}}, {{2, "CCC"}, {5, "BBB"}, {8, "AAA"}}, kNone, 3, kNone,
     "Ознакомьтесь\nс новым видом\nисполнительных\nблоков."_cp1251},
    {2, {{2, "ABA"}, {5, "ACA"}, {8, "CAB"}}, {{2, "AAAAA"}, {5, "CC"}, {8, "BB"}}, 2, 2, kNone,
     "Не обязательно\nиспользовать все\nуправляющие\nблоки чтобы\nпройти уровень."_cp1251},
    {2,
     {{0, "A"}, {1, "B"}, {2, "C"}, {3, "A"}, {4, "B"}, {5, "C"}, {6, "A"}, {7, "B"}, {8, "C"}, {9, "A"}, {10, "B"}},
     {{2, "AAAA"}, {5, "BBBB"}, {8, "CCC"}}, 1, 3, kNone,
     "Очень много\nцветных блоков.\nИ все по одному."_cp1251},
    {1, {{2, "AAA"}, {5, "BBB"}, {8, "CCC"}}, {{2, "ABC"}, {5, "ABC"}, {8, "ABC"}}, kNone, kNone, 1,
     "Еще один новый\nуправляющий\nблок. Изучите\nпринцип его\nработы."_cp1251},
    {2, {{2, "BBA"}, {4, "CA"}, {6, "AB"}, {8, "C"}}, {{2, "CC"}, {5, "BBB"}, {8, "AAA"}}, 1, kNone, 1,
     "Здесь могла\nбыть ваша\nреклама."_cp1251},
    {2, {{1, "A"}, {3, "C"}, {5, "B"}, {7, "B"}, {9, "B"}}, {{2, "BBB"}, {8, "AC"}}, kNone, kNone, 3,
     "Это последний\nуровень в данной\nверсии игры.\nЖдите полную\nверсию ;)"_cp1251},
};

std::array<std::string, 11> expand(const std::vector<ColumnText>& columns) {
  std::array<std::string, 11> texts;
  for (const ColumnText& entry : columns) texts[static_cast<std::size_t>(entry.column)] = entry.text;
  return texts;
}

std::map<char, int> letterCounts(const std::array<std::string, 11>& texts) {
  std::map<char, int> counts;
  for (const std::string& text : texts) {
    for (const char letter : text) ++counts[letter];
  }
  return counts;
}

TEST(Catalogue, GameStartsOnTheLevelSelectWithThirteenEmptyLevelsAsTabulated) {
  Game game;
  EXPECT_EQ(-1, game.currentLevel);
  EXPECT_EQ(240, game.introTimer);
  ASSERT_EQ(kTable.size(), game.levels.size());
  for (std::size_t i = 0; i < kTable.size(); ++i) {
    SCOPED_TRACE("level " + std::to_string(i + 1));
    const Level& level = *game.levels[i];
    const LevelTable& expected = kTable[i];
    EXPECT_EQ(static_cast<std::int32_t>(i + 1), level.number);
    EXPECT_EQ(&game, level.owner);
    EXPECT_EQ(expected.difficulty, level.difficulty);
    EXPECT_EQ(expand(expected.inputs), level.inputs);
    EXPECT_EQ(expand(expected.targets), level.targets);
    EXPECT_EQ((std::vector<std::int32_t>{expected.triggers, expected.swappers, expected.accumulators}),
              level.allowance);
    EXPECT_EQ(std::string(expected.hint), level.hint);
    EXPECT_FALSE(level.running || level.failed || level.won || level.solved || level.dragging);
    EXPECT_TRUE(level.units.empty() && level.blocks.empty());
    EXPECT_EQ(Level(nullptr).cells, level.cells);
    // Every level delivers exactly the letters it takes in, rearranged.
    EXPECT_EQ(letterCounts(level.inputs), letterCounts(level.targets));
  }
}

}  // namespace
