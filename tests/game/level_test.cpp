// The level model: placing units and finding them, and the Run, Stop and Clear operations with what
// each keeps and what it resets.
#include <gtest/gtest.h>

#include <string>

#include "base/cp1251.h"
#include "game/level.h"
#include "support/level_layout.h"

namespace {

using layout::Blocks;
using level_solutions::kAccumulator;
using level_solutions::kLeft;
using level_solutions::kRight;
using level_solutions::kSwapper;
using level_solutions::kTrigger;
using Allowance = std::vector<std::int32_t>;

class LevelTest : public ::testing::Test {
 protected:
  // Places a unit from the palette; the kind must be offered with units left.
  orvane::XUnit* place(std::int32_t entry, std::int32_t x, std::int32_t y, std::int32_t side = kLeft) {
    EXPECT_EQ("", layout::placeFromPalette(level, {entry, x, y, side}));
    return level.unitAt(x, y);
  }

  Level level{nullptr};
};

TEST_F(LevelTest, UnitsStandOnlyWhereTheirFootprintFitsOnEmptyCells) {
  for (const auto& [x, y] : std::vector<std::pair<std::int32_t, std::int32_t>>{
           {9, 0}, {0, 10}, {-1, 0}, {0, -1}, {-2147483647 - 1, 0}, {2147483647, 2147483647}}) {
    EXPECT_FALSE(level.canPlaceUnit(x, y)) << x << ", " << y;
  }
  EXPECT_TRUE(level.canPlaceUnit(8, 9));
  level.cells[5][5] = 1;
  EXPECT_FALSE(level.canPlaceUnit(3, 4));  // covers (5, 5)
  EXPECT_TRUE(level.canPlaceUnit(2, 4));   // columns 2-4
  EXPECT_TRUE(level.canPlaceUnit(3, 6));   // rows 6-7

  level.setAllowance(2, -1, -1);
  orvane::XUnit* unit = place(kTrigger, 2, 3);
  EXPECT_FALSE(level.canPlaceUnit(0, 2));  // overlaps its left column
  EXPECT_FALSE(level.canPlaceUnit(4, 2));  // overlaps its right column, top row
  EXPECT_TRUE(level.canPlaceUnit(2, 5));
  EXPECT_EQ(unit, level.unitAt(4, 4));
  EXPECT_EQ(nullptr, level.unitAt(5, 3));
  EXPECT_EQ(nullptr, level.unitAt(2, 5));
  EXPECT_EQ(nullptr, level.unitAt(1, 3));
  EXPECT_EQ(nullptr, level.unitAt(-1, -1));
  EXPECT_EQ(nullptr, level.unitAt(100, 100));
  orvane::XUnit* second = place(kTrigger, 5, 3);
  EXPECT_EQ(second, level.unitAt(5, 3));
  EXPECT_EQ(5, level.cellOf(second).x);
}

TEST_F(LevelTest, UnitsKeepTheirPlacementOrderAndReturnGivesTheAllowanceBack) {
  level.setAllowance(1, -1, 2);
  orvane::XUnit* accumulator = place(kAccumulator, 0, 0);
  orvane::XUnit* trigger = place(kTrigger, 4, 0);
  std::vector<orvane::XUnit*> order;
  for (const auto& [sequence, placed] : level.units) order.push_back(placed.unit.get());
  EXPECT_EQ((std::vector<orvane::XUnit*>{accumulator, trigger}), order);  // placement order

  level.returnUnit(accumulator);
  EXPECT_EQ((Allowance{0, -1, 2}), level.allowance);
  EXPECT_EQ(nullptr, level.unitAt(0, 0));
  EXPECT_EQ(trigger, level.unitAt(4, 0));
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
  EXPECT_EQ((Blocks{{0, -1, 2}, {5, -1, 1}, {5, -2, 2}, {5, -3, 3}, {10, -1, 3}, {10, -2, 1}}), layout::blocksOf(level));
  EXPECT_TRUE(level.running);
}

TEST_F(LevelTest, StartDuringARunDoesNothingAndStopThenRunStartsAfresh) {
  level.setInput(5, "ABC");
  level.setTarget(5, "ABC");
  level.start();  // no conveyor on (5, 0): the first step fails
  layout::runTicks(level, 64);
  ASSERT_TRUE(level.failed);
  level.start();
  EXPECT_TRUE(level.failed);
  EXPECT_EQ(64, level.tickCount);
  EXPECT_EQ(0, level.blocks[0].y);

  level.stop();
  EXPECT_FALSE(level.running || level.failed);
  EXPECT_TRUE(level.blocks.empty());
  EXPECT_EQ(64, level.tickCount);                                         // kept until the next Run
  EXPECT_EQ(std::string("блок упал с конвеера"_cp1251), level.failureText);  // kept too

  layout::downColumn(level, 5);
  level.start();
  EXPECT_EQ(0, level.tickCount);
  EXPECT_EQ(3u, level.blocks.size());
  layout::runTicks(level, 64);
  EXPECT_FALSE(level.failed);
}

TEST_F(LevelTest, StopResetsTheRunAndTheUnitsButKeepsTheLayout) {
  level.setAllowance(1, -1, 1);
  level.setInput(4, "AB");
  level.setTarget(4, "AB");
  auto* trigger = dynamic_cast<orvane::ZTriggerUnit*>(place(kTrigger, 3, 0, kRight));
  auto* accumulator = dynamic_cast<orvane::ZAccumulatorUnit*>(place(kAccumulator, 0, 5));
  ASSERT_TRUE(trigger != nullptr && accumulator != nullptr);
  level.cells[10][10] = 3;
  level.start();
  layout::runTicks(level, 64);  // A falls into the trigger
  ASSERT_EQ(1, trigger->held);
  accumulator->stored = {1, 2};
  level.delivered[4] = 1;

  level.stop();
  EXPECT_TRUE(level.blocks.empty());
  EXPECT_EQ(0, level.delivered[4]);
  EXPECT_EQ(0, trigger->held);
  EXPECT_EQ(1, trigger->side);
  EXPECT_TRUE(accumulator->stored.empty());
  EXPECT_EQ(3, level.cells[10][10]);
  EXPECT_EQ(2u, level.units.size());
  EXPECT_EQ((Allowance{0, -1, 0}), level.allowance);

  // Stop while stopped changes nothing.
  level.tickCount = 17;
  level.stop();
  EXPECT_EQ(17, level.tickCount);
}

TEST_F(LevelTest, ClearEmptiesTheFieldAndGivesEveryUnitBackButNotDuringARun) {
  level.setAllowance(3, -1, -1);
  place(kTrigger, 0, 0);
  place(kTrigger, 4, 6, kRight);
  level.cells[3][3] = 4;
  level.start();
  level.clear();
  EXPECT_EQ(2u, level.units.size());
  EXPECT_EQ(4, level.cells[3][3]);
  level.stop();

  level.clear();
  EXPECT_TRUE(level.units.empty());
  EXPECT_EQ(3, level.allowance[kTrigger]);
  EXPECT_EQ(Level(nullptr).cells, level.cells);
  EXPECT_TRUE(level.canPlaceUnit(0, 0));
}

}  // namespace
