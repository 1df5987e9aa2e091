// The level model: a new level, placing units and finding them, and the Run, Stop and Clear
// operations with what each keeps and what it resets.
#include <gtest/gtest.h>

#include <string>

#include "game/cp1251.h"
#include "game/game.h"
#include "game/level.h"
#include "tests/game/layout.h"

namespace {

using level_solutions::kAccumulator;
using level_solutions::kLeft;
using level_solutions::kRight;
using level_solutions::kSwapper;
using level_solutions::kTrigger;

constexpr std::int32_t kDown = 2;  // cell content of a down conveyor

class LevelTest : public ::testing::Test {
 protected:
  // Places a unit from the palette; the kind must be offered with units left.
  orvane::XUnit* place(std::int32_t entry, std::int32_t x, std::int32_t y, std::int32_t side = kLeft) {
    const std::string problem = layout::placeFromPalette(level, {entry, x, y, side});
    EXPECT_EQ("", problem);
    if (!problem.empty()) return nullptr;
    return level.unitAt(x, y);
  }

  void downColumn(std::int32_t column) {
    for (std::int32_t y = 0; y < kFieldSize; ++y) level.cells[column][y] = kDown;
  }

  Level level{nullptr};
};

TEST_F(LevelTest, NewLevelIsEmptyWithThreeHiddenPaletteKinds) {
  Game game;
  Level owned(&game);
  EXPECT_EQ(&game, owned.owner);
  for (std::int32_t x = 0; x < kFieldSize; ++x) {
    for (std::int32_t y = 0; y < kFieldSize; ++y) EXPECT_EQ(0, owned.cells[x][y]);
    EXPECT_EQ("", owned.inputs[x]);
    EXPECT_EQ("", owned.targets[x]);
    EXPECT_EQ(0, owned.delivered[x]);
  }
  EXPECT_EQ(0, owned.number);
  EXPECT_EQ(0, owned.difficulty);
  EXPECT_EQ(0, owned.dragIndex);
  EXPECT_EQ(0, owned.tickCount);
  EXPECT_FALSE(owned.running || owned.failed || owned.won || owned.dragging || owned.solved);
  EXPECT_EQ("", owned.failureText);
  EXPECT_EQ("", owned.hint);
  EXPECT_TRUE(owned.blocks.empty());
  EXPECT_TRUE(owned.units.empty());
  ASSERT_EQ(3u, owned.palette.size());
  EXPECT_STREQ("z_trigger_unit", owned.palette[kTrigger]->kindName());
  EXPECT_STREQ("z_swapper_unit", owned.palette[kSwapper]->kindName());
  EXPECT_STREQ("z_accumulator_unit", owned.palette[kAccumulator]->kindName());
  EXPECT_EQ((std::vector<std::int32_t>{-1, -1, -1}), owned.allowance);
}

TEST_F(LevelTest, SettersCopyTheirTexts) {
  std::string text = "ABC";
  level.setInput(0, text);
  level.setTarget(10, text);
  text = "changed";
  EXPECT_EQ("ABC", level.inputs[0]);
  EXPECT_EQ("ABC", level.targets[10]);
  level.setInput(0, "B");
  EXPECT_EQ("B", level.inputs[0]);
  level.setHint("Здесь могла\nбыть ваша\nреклама."_cp1251);
  EXPECT_EQ(std::string("Здесь могла\nбыть ваша\nреклама."_cp1251), level.hint);
  level.setAllowance(1, -1, 3);
  EXPECT_EQ((std::vector<std::int32_t>{1, -1, 3}), level.allowance);
}

TEST_F(LevelTest, CanPlaceUnitOnlyWhereTheFootprintFitsOnEmptyCells) {
  EXPECT_TRUE(level.canPlaceUnit(8, 9));
  EXPECT_TRUE(level.canPlaceUnit(0, 0));
  EXPECT_FALSE(level.canPlaceUnit(9, 0));
  EXPECT_FALSE(level.canPlaceUnit(0, 10));
  EXPECT_FALSE(level.canPlaceUnit(-1, 0));
  EXPECT_FALSE(level.canPlaceUnit(0, -1));
  EXPECT_FALSE(level.canPlaceUnit(-2147483647 - 1, 0));
  EXPECT_FALSE(level.canPlaceUnit(2147483647, 2147483647));

  level.cells[5][5] = 1;
  EXPECT_FALSE(level.canPlaceUnit(3, 4));  // covers (5, 5)
  EXPECT_FALSE(level.canPlaceUnit(5, 5));
  EXPECT_FALSE(level.canPlaceUnit(4, 5));
  EXPECT_TRUE(level.canPlaceUnit(2, 4));   // columns 2-4
  EXPECT_TRUE(level.canPlaceUnit(3, 6));   // rows 6-7
  EXPECT_TRUE(level.canPlaceUnit(3, 3));   // rows 3-4

  level.setAllowance(2, -1, -1);
  place(kTrigger, 2, 4);
  EXPECT_FALSE(level.canPlaceUnit(2, 4));
  EXPECT_FALSE(level.canPlaceUnit(0, 3));  // overlaps its left column
  EXPECT_FALSE(level.canPlaceUnit(4, 5));  // overlaps its right column, bottom row
  EXPECT_TRUE(level.canPlaceUnit(2, 6));
  EXPECT_TRUE(level.canPlaceUnit(2, 2));
}

TEST_F(LevelTest, UnitAtFindsTheUnitCoveringACell) {
  level.setAllowance(2, -1, -1);
  orvane::XUnit* unit = place(kTrigger, 2, 3);
  ASSERT_NE(nullptr, unit);
  EXPECT_EQ(unit, level.unitAt(2, 3));
  EXPECT_EQ(unit, level.unitAt(4, 3));
  EXPECT_EQ(unit, level.unitAt(2, 4));
  EXPECT_EQ(unit, level.unitAt(4, 4));
  EXPECT_EQ(nullptr, level.unitAt(5, 3));
  EXPECT_EQ(nullptr, level.unitAt(2, 5));
  EXPECT_EQ(nullptr, level.unitAt(1, 3));
  EXPECT_EQ(nullptr, level.unitAt(2, 2));
  EXPECT_EQ(nullptr, level.unitAt(-1, -1));
  EXPECT_EQ(nullptr, level.unitAt(100, 100));

  orvane::XUnit* second = place(kTrigger, 5, 3);
  ASSERT_NE(nullptr, second);
  EXPECT_EQ(second, level.unitAt(5, 3));
  EXPECT_EQ(unit, level.unitAt(4, 4));
  EXPECT_EQ(3, level.cellOf(second).y);
  EXPECT_EQ(5, level.cellOf(second).x);
}

TEST_F(LevelTest, PlacedUnitsKeepPlacementOrder) {
  level.setAllowance(1, 1, 1);
  orvane::XUnit* first = place(kAccumulator, 8, 9);
  orvane::XUnit* second = place(kTrigger, 0, 0);
  orvane::XUnit* third = place(kSwapper, 4, 4);
  std::vector<orvane::XUnit*> order;
  for (const auto& [sequence, placed] : level.units) order.push_back(placed.unit.get());
  EXPECT_EQ((std::vector<orvane::XUnit*>{first, second, third}), order);
  EXPECT_EQ((std::vector<std::int32_t>{0, 0, 0}), level.allowance);
}

TEST_F(LevelTest, ReturnUnitGivesItBackToItsPaletteEntry) {
  level.setAllowance(1, -1, 2);
  orvane::XUnit* accumulator = place(kAccumulator, 0, 0);
  orvane::XUnit* trigger = place(kTrigger, 4, 0);
  EXPECT_EQ((std::vector<std::int32_t>{0, -1, 1}), level.allowance);
  level.returnUnit(accumulator);
  EXPECT_EQ((std::vector<std::int32_t>{0, -1, 2}), level.allowance);
  EXPECT_EQ(nullptr, level.unitAt(0, 0));
  EXPECT_EQ(trigger, level.unitAt(4, 0));
  EXPECT_EQ(1u, level.units.size());
  // A unit of a kind the level hides gives nothing back: the hidden entry stays at −1.
  level.placeUnit(level.palette[kSwapper]->clone(), Cell{0, 5});
  level.returnUnit(level.unitAt(0, 5));
  EXPECT_EQ(-1, level.allowance[kSwapper]);
  EXPECT_EQ(1u, level.units.size());
}

TEST_F(LevelTest, StartQueuesEveryInputAboveItsColumn) {
  level.setInput(5, "ABC");
  level.setInput(0, "B");
  level.setInput(10, "CA");
  level.start();
  ASSERT_EQ(6u, level.blocks.size());
  auto expectBlock = [&](std::size_t index, std::int32_t x, std::int32_t y, std::int32_t colour) {
    EXPECT_EQ(x, level.blocks[index].x) << "block " << index;
    EXPECT_EQ(y, level.blocks[index].y) << "block " << index;
    EXPECT_EQ(colour, level.blocks[index].colour) << "block " << index;
  };
  expectBlock(0, 0, -1, 2);
  expectBlock(1, 5, -1, 1);
  expectBlock(2, 5, -2, 2);
  expectBlock(3, 5, -3, 3);
  expectBlock(4, 10, -1, 3);
  expectBlock(5, 10, -2, 1);
  EXPECT_TRUE(level.running);
  EXPECT_EQ(0, level.tickCount);
}

TEST_F(LevelTest, StartDuringARunDoesNothingAndStopThenRunStartsAfresh) {
  level.setInput(5, "ABC");
  level.setTarget(5, "ABC");
  level.start();  // no conveyor on (5, 0): the first step fails
  layout::runTicks(level, 64);
  ASSERT_TRUE(level.failed);
  const std::vector<Block> frozen = level.blocks;

  level.start();
  EXPECT_TRUE(level.failed);
  EXPECT_EQ(64, level.tickCount);
  EXPECT_EQ(frozen.size(), level.blocks.size());
  EXPECT_EQ(0, level.blocks[0].y);

  level.stop();
  EXPECT_FALSE(level.running);
  EXPECT_FALSE(level.failed);
  EXPECT_TRUE(level.blocks.empty());
  EXPECT_EQ(64, level.tickCount);                                         // kept until the next Run
  EXPECT_EQ(std::string("блок упал с конвеера"_cp1251), level.failureText);  // kept too

  downColumn(5);
  level.start();
  EXPECT_EQ(0, level.tickCount);
  ASSERT_EQ(3u, level.blocks.size());
  EXPECT_EQ(-1, level.blocks[0].y);
  layout::runTicks(level, 64);
  EXPECT_FALSE(level.failed);
}

TEST_F(LevelTest, StopResetsTheRunAndTheUnitsButKeepsTheLayout) {
  level.setAllowance(1, -1, 1);
  level.setInput(4, "AB");
  level.setTarget(4, "AB");
  auto* trigger = dynamic_cast<orvane::ZTriggerUnit*>(place(kTrigger, 3, 0, kRight));
  auto* accumulator = dynamic_cast<orvane::ZAccumulatorUnit*>(place(kAccumulator, 0, 5));
  ASSERT_NE(nullptr, trigger);
  ASSERT_NE(nullptr, accumulator);
  level.cells[10][10] = 3;
  level.start();
  layout::runTicks(level, 64);  // A falls into the trigger
  ASSERT_FALSE(level.failed) << layout::readable(level.failureText);
  ASSERT_EQ(1, trigger->held);
  accumulator->stored = {1, 2};
  level.delivered[4] = 1;

  level.stop();
  EXPECT_FALSE(level.running);
  EXPECT_TRUE(level.blocks.empty());
  EXPECT_EQ(0, level.delivered[4]);
  EXPECT_EQ(0, trigger->held);
  EXPECT_EQ(1, trigger->side);
  EXPECT_EQ(1, trigger->initialSide);
  EXPECT_TRUE(accumulator->stored.empty());
  EXPECT_EQ(3, level.cells[10][10]);
  EXPECT_EQ(2u, level.units.size());
  EXPECT_EQ((std::vector<std::int32_t>{0, -1, 0}), level.allowance);

  // Stop while stopped changes nothing.
  level.tickCount = 17;
  level.failureText = "x";
  level.stop();
  EXPECT_EQ(17, level.tickCount);
  EXPECT_EQ("x", level.failureText);
}

TEST_F(LevelTest, ClearEmptiesTheFieldAndGivesEveryUnitBack) {
  level.setAllowance(3, -1, -1);
  place(kTrigger, 0, 0);
  place(kTrigger, 4, 6, kRight);
  level.cells[3][3] = 4;
  level.cells[10][10] = 1;
  EXPECT_EQ(1, level.allowance[kTrigger]);

  level.start();
  level.clear();  // ignored during a run
  EXPECT_EQ(2u, level.units.size());
  EXPECT_EQ(4, level.cells[3][3]);
  EXPECT_EQ(1, level.allowance[kTrigger]);
  level.stop();

  level.clear();
  EXPECT_TRUE(level.units.empty());
  EXPECT_EQ(3, level.allowance[kTrigger]);
  for (std::int32_t x = 0; x < kFieldSize; ++x) {
    for (std::int32_t y = 0; y < kFieldSize; ++y) EXPECT_EQ(0, level.cells[x][y]);
  }
  EXPECT_EQ(nullptr, level.unitAt(0, 0));
  EXPECT_TRUE(level.canPlaceUnit(0, 0));
}

TEST_F(LevelTest, WonRunStopsIntoAStoppedLevelThatStaysSolved) {
  level.setInput(5, "A");
  level.setTarget(5, "A");
  downColumn(5);
  const layout::RunOutcome outcome = layout::runUntilSettled(level, 64 * 20);
  ASSERT_TRUE(outcome.won);
  EXPECT_TRUE(level.solved);
  level.stop();
  EXPECT_FALSE(level.won);
  EXPECT_TRUE(level.solved);
  EXPECT_EQ(0, level.delivered[5]);
}

TEST_F(LevelTest, PlacementRespectsTheAllowances) {
  EXPECT_NE("", layout::placeFromPalette(level, {kTrigger, 0, 0, kLeft}));  // not offered
  level.setAllowance(1, 0, -1);
  EXPECT_NE("", layout::placeFromPalette(level, {kSwapper, 0, 0, kLeft}));  // none left
  EXPECT_EQ("", layout::placeFromPalette(level, {kTrigger, 0, 0, kLeft}));
  EXPECT_NE("", layout::placeFromPalette(level, {kTrigger, 4, 0, kLeft}));  // used up
  EXPECT_EQ(0, level.allowance[kTrigger]);
  EXPECT_EQ(1u, level.units.size());
}

}  // namespace
