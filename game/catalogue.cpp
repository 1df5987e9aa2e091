// The level catalogue: inputs, targets, hints, allowances and difficulty of every level.
#include "game/catalogue.h"

#include <initializer_list>
#include <memory>

#include "base/cp1251.h"
#include "game/game.h"

namespace {

struct ColumnText {
  int column;
  const char* text;
};

enum Difficulty { kEasy = 1, kMedium = 2, kHard = 3 };
constexpr int kNotOffered = -1;

struct LevelRecipe {
  Difficulty difficulty;
  std::initializer_list<ColumnText> inputs;
  std::initializer_list<ColumnText> targets;
  const char* hint;
  int triggers;
  int swappers;
  int accumulators;
};

const LevelRecipe kCatalogue[] = {
    {kEasy, {{5, "ABC"}}, {{5, "ABC"}},
     "Используйте\nконвееры чтобы\nпереместить\nцветные блоки\nсверху вниз."_cp1251,
     kNotOffered, kNotOffered, kNotOffered},
    {kEasy, {{3, "AC"}, {7, "BC"}}, {{5, "ACBC"}},
     "Осторожно,\nцветные блоки\nне должны\nсталкиваться\nдруг с другом."_cp1251,
     kNotOffered, kNotOffered, kNotOffered},
    {kEasy, {{5, "AB"}}, {{5, "BA"}},
     "Перетаскивайте\nисполнительные\nблоки из панели\nсправа на поле\nс помощью мыши."_cp1251,
     1, kNotOffered, kNotOffered},
    {kMedium, {{3, "AA"}, {7, "BB"}}, {{3, "BB"}, {7, "AA"}},
     "Щелкните на\nисполнительном\nблоке чтобы\nизменить его\nсостояние."_cp1251,
     2, kNotOffered, kNotOffered},
    {kMedium, {{3, "ABB"}, {7, "ACC"}}, {{5, "ABABCC"}},
     "В этой игре\nклассная музыка.\nНе правда ли?"_cp1251,
     2, kNotOffered, kNotOffered},
    {kHard, {{2, "AAA"}, {5, "BBB"}, {8, "CCC"}}, {{2, "ABC"}, {5, "ABC"}, {8, "ABC"}},
     "Просто сложный\nуровень. Ничего\nособенного."_cp1251,
     3, kNotOffered, kNotOffered},
    {kHard, {{2, "CA"}, {5, "BC"}, {8, "AB"}}, {{2, "BB"}, {5, "AA"}, {8, "CC"}},
     "Этот уровень\nдействительно\nсложный. К нему\nвсегда можно\nвернуться потом."_cp1251,
     6, kNotOffered, kNotOffered},
    {kEasy, {{2, "AAA"}, {5, "BBB"}, {8, "CCC"}}, {{2, "CCC"}, {5, "BBB"}, {8, "AAA"}},
     "Ознакомьтесь\nс новым видом\nисполнительных\nблоков."_cp1251,
     kNotOffered, 3, kNotOffered},
    {kMedium, {{2, "ABA"}, {5, "ACA"}, {8, "CAB"}}, {{2, "AAAAA"}, {5, "CC"}, {8, "BB"}},
     "Не обязательно\nиспользовать все\nуправляющие\nблоки чтобы\nпройти уровень."_cp1251,
     2, 2, kNotOffered},
    {kMedium,
     {{0, "A"}, {1, "B"}, {2, "C"}, {3, "A"}, {4, "B"}, {5, "C"}, {6, "A"}, {7, "B"}, {8, "C"}, {9, "A"}, {10, "B"}},
     {{2, "AAAA"}, {5, "BBBB"}, {8, "CCC"}},
     "Очень много\nцветных блоков.\nИ все по одному."_cp1251,
     1, 3, kNotOffered},
    {kEasy, {{2, "AAA"}, {5, "BBB"}, {8, "CCC"}}, {{2, "ABC"}, {5, "ABC"}, {8, "ABC"}},
     "Еще один новый\nуправляющий\nблок. Изучите\nпринцип его\nработы."_cp1251,
     kNotOffered, kNotOffered, 1},
    {kMedium, {{2, "BBA"}, {4, "CA"}, {6, "AB"}, {8, "C"}}, {{2, "CC"}, {5, "BBB"}, {8, "AAA"}},
     "Здесь могла\nбыть ваша\nреклама."_cp1251,
     1, kNotOffered, 1},
    {kMedium, {{1, "A"}, {3, "C"}, {5, "B"}, {7, "B"}, {9, "B"}}, {{2, "BBB"}, {8, "AC"}},
     "Это последний\nуровень в данной\nверсии игры.\nЖдите полную\nверсию ;)"_cp1251,
     kNotOffered, kNotOffered, 3},
};

}  // namespace

void buildCatalogue(Game& game) {
  int number = 1;
  for (const LevelRecipe& recipe : kCatalogue) {
    auto level = std::make_unique<Level>(&game);
    for (const ColumnText& input : recipe.inputs) level->setInput(input.column, input.text);
    for (const ColumnText& target : recipe.targets) level->setTarget(target.column, target.text);
    level->setHint(recipe.hint);
    level->setAllowance(recipe.triggers, recipe.swappers, recipe.accumulators);
    level->number = number++;
    level->difficulty = recipe.difficulty;
    game.levels.push_back(std::move(level));
  }
}
