// The rule book of a run: move steps every 64 ticks, gliding and collisions between them, every
// failure rule with its message, units taking blocks in and giving them out, and the win.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/cp1251.h"
#include "game/level.h"
#include "support/level_layout.h"

namespace {

using layout::Blocks;
using layout::blocksOf;
using level_solutions::kAccumulator;
using level_solutions::kLeft;
using level_solutions::kSwapper;
using level_solutions::kTrigger;

const std::string kBlocksCollided = "столкновение блоков"_cp1251;
const std::string kOutOfBounds = "выход блока за границу"_cp1251;
const std::string kWrongColour = "неверный цвет блока"_cp1251;
const std::string kHitControlBlock = "столкновение блока\nс управляющим блоком"_cp1251;
const std::string kFellOffConveyor = "блок упал с конвеера"_cp1251;

constexpr std::int32_t A = 1;
constexpr std::int32_t B = 2;
constexpr std::int32_t C = 3;

class Simulation : public ::testing::Test {
 protected:
  void lay(std::int32_t x, std::int32_t y, char conveyor) { level.cells[x][y] = level_solutions::cellContent(conveyor); }

  template <typename Unit>
  Unit* place(std::int32_t entry, std::int32_t x, std::int32_t y) {
    level.allowance[static_cast<std::size_t>(entry)] = 1;
    EXPECT_EQ("", layout::placeFromPalette(level, {entry, x, y, kLeft}));
    return dynamic_cast<Unit*>(level.unitAt(x, y));
  }

  // Starts afresh from an empty field with no inputs and puts blocks straight onto it.
  void reset() {
    level.stop();
    level.clear();
  }
  void startWith(const std::vector<Block>& blocks) {
    level.start();
    level.blocks = blocks;
  }

  // Runs up to the next move step.
  void step() { layout::runTicks(level, kStepTicks - level.tickCount % kStepTicks); }

  std::string failure() const { return layout::readable(level.failureText); }

  Level level{nullptr};
};

// The same column is level 1's solution, won at its recorded tick (solutions_test).
TEST_F(Simulation, QueuedBlocksFallIntoTheFieldOnePerStepAndAStoppedLevelDoesNotTick) {
  level.tick();
  EXPECT_EQ(0, level.tickCount);
  level.setInput(5, "ABC");
  layout::downColumn(level, 5);
  level.start();
  step();
  EXPECT_EQ((Blocks{{5, 0, A}, {5, -1, B}, {5, -2, C}}), blocksOf(level));
}

TEST_F(Simulation, BlocksGlideTowardTheirNextCell) {
  lay(3, 5, '>');
  lay(4, 5, 'v');
  lay(5, 5, '<');
  lay(6, 5, '^');
  const Block right{3, 5, A}, down{4, 5, A}, left{5, 5, A}, up{6, 5, A}, queued{7, -2, A};
  EXPECT_EQ(kDirectionUp, blockDirection(level, up));
  // Off the conveyors (queued, on an empty cell, below the field) blocks fall.
  for (const Block& falling : {queued, Block{8, 5, A}, Block{2, 11, A}}) EXPECT_EQ(kDirectionDown, blockDirection(level, falling));

  // Horizontal shift: phase div 4. Vertical shift: (3 × phase) div 16.
  for (const auto& [phase, horizontal, vertical] : std::vector<std::array<std::int32_t, 3>>{
           {0, 0, 0}, {3, 0, 0}, {4, 1, 0}, {5, 1, 0}, {6, 1, 1}, {16, 4, 3}, {20, 5, 3}, {63, 15, 11}}) {
    SCOPED_TRACE(phase);
    level.tickCount = 64 * 7 + phase;
    EXPECT_EQ(48 + horizontal, blockPosition(level, right).x);
    EXPECT_EQ(60, blockPosition(level, right).y);
    EXPECT_EQ(64, blockPosition(level, down).x);
    EXPECT_EQ(60 + vertical, blockPosition(level, down).y);
    EXPECT_EQ(80 - horizontal, blockPosition(level, left).x);
    EXPECT_EQ(60 - vertical, blockPosition(level, up).y);
    EXPECT_EQ(112, blockPosition(level, queued).x);
    EXPECT_EQ(-24 + vertical, blockPosition(level, queued).y);
  }
}

TEST_F(Simulation, EachFailureRuleStopsTheRunWithItsMessage) {
  struct Case {
    const char* what;
    std::vector<std::pair<Cell, char>> conveyors;
    std::vector<Block> blocks;
    std::int32_t failingTick;  // 0: the first step passes
    std::string message;  // when it fails
    Blocks left;  // where the blocks stand afterwards
  };
  const std::vector<Case> cases = {
      {"off the right edge", {{{10, 4}, '>'}}, {{10, 4, A}}, 64, kOutOfBounds, {{11, 4, A}}},
      {"off the left edge", {{{0, 4}, '<'}}, {{0, 4, B}}, 64, kOutOfBounds, {{-1, 4, B}}},
      {"off the top", {{{3, 0}, '^'}}, {{3, 0, C}}, 64, kOutOfBounds, {{3, -1, C}}},
      {"up below the top row", {{{3, 2}, '^'}, {{3, 1}, '>'}}, {{3, 2, A}}, 0, {}, {{3, 1, A}}},
      {"onto an empty cell", {{{5, 3}, 'v'}}, {{5, 3, A}}, 64, kFellOffConveyor, {{5, 4, A}}},
      {"bottom of a column expecting nothing", {{{1, 10}, 'v'}}, {{1, 10, A}}, 64, kOutOfBounds, {{1, 11, A}}},
      {"head on, 6 units apart at phase 20", {{{3, 5}, '>'}, {{4, 5}, '<'}}, {{3, 5, A}, {4, 5, B}}, 20,
       kBlocksCollided, {{3, 5, A}, {4, 5, B}}},
      {"converging on one cell, squared distance 41", {{{4, 5}, '>'}, {{5, 4}, 'v'}, {{5, 5}, 'v'}},
       {{4, 5, A}, {5, 4, B}}, 44, kBlocksCollided, {{4, 5, A}, {5, 4, B}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    reset();
    for (const auto& [cell, conveyor] : c.conveyors) lay(cell.x, cell.y, conveyor);
    startWith(c.blocks);
    if (c.failingTick > 0) {
      layout::runTicks(level, c.failingTick - 1);
      EXPECT_FALSE(level.failed);
      level.tick();
      EXPECT_TRUE(level.failed);
      EXPECT_EQ(c.message, level.failureText);
    } else {
      step();
      EXPECT_FALSE(level.failed) << failure();
    }
    EXPECT_EQ(c.left, blocksOf(level));
  }
  // A failed run stands still.
  layout::runTicks(level, 500);
  EXPECT_EQ(44, level.tickCount);
}

TEST_F(Simulation, BottomEdgeTakesOnlyTheNextExpectedColourEvenAfterTheWin) {
  level.setTarget(2, "AB");
  lay(2, 10, 'v');
  startWith({{2, 10, B}});  // column 2 expects A first
  step();
  EXPECT_EQ(kWrongColour, level.failureText);
  EXPECT_EQ(0, level.delivered[2]);
  EXPECT_EQ((Blocks{{2, 11, B}}), blocksOf(level));  // a wrong block is not absorbed

  // A block beyond a complete target fails the run; won and failed both stay set until Stop.
  reset();
  level.setTarget(2, "");
  level.setInput(5, "AA");
  level.setTarget(5, "A");
  layout::downColumn(level, 5);
  level.start();
  layout::runTicks(level, 12 * 64);
  EXPECT_TRUE(level.won && level.solved && !level.failed);
  layout::runTicks(level, 64);
  EXPECT_TRUE(level.failed && level.won);
  EXPECT_EQ(kOutOfBounds, level.failureText);
  EXPECT_EQ(1, level.delivered[5]);
}

TEST_F(Simulation, TriggerTakesABlockFallingIntoItsMiddleAndGivesItOutTheNextStep) {
  auto* trigger = place<orvane::ZTriggerUnit>(kTrigger, 4, 3);
  ASSERT_NE(nullptr, trigger);
  lay(5, 2, 'v');
  lay(4, 5, '>');
  lay(5, 5, 'v');
  startWith({{5, 2, C}});
  step();  // falls into the middle port and is taken in
  EXPECT_TRUE(level.blocks.empty());
  EXPECT_EQ(C, trigger->held);
  step();  // given out on the left, in the bottom row
  EXPECT_EQ((Blocks{{4, 4, C}}), blocksOf(level));
  EXPECT_EQ(0, trigger->held);
  EXPECT_EQ(1, trigger->side);
  step();  // falls out of the unit onto the conveyor below
  step();
  EXPECT_EQ((Blocks{{5, 5, C}}), blocksOf(level));
  EXPECT_FALSE(level.failed) << failure();
}

TEST_F(Simulation, BlocksMayEnterAUnitOnlyByFallingIntoAPortThatTakesThem) {
  struct Case {
    const char* what;
    Block block;
    char conveyor;  // on the block's cell, '.' for none
  };
  for (const Case& c : {Case{"falls onto the left port", {4, 2, A}, 'v'}, Case{"falls onto the right port", {6, 2, A}, 'v'},
                        Case{"pushed in from the left", {3, 3, A}, '>'}, Case{"pushed in from the right", {7, 4, A}, '<'},
                        Case{"pushed up into the bottom row", {5, 5, A}, '^'}}) {
    SCOPED_TRACE(c.what);
    reset();
    place<orvane::XUnit>(kTrigger, 4, 3);
    if (c.conveyor != '.') lay(c.block.x, c.block.y, c.conveyor);
    startWith({c.block});
    step();
    EXPECT_EQ(kHitControlBlock, level.failureText);
    EXPECT_EQ(1u, level.blocks.size());
  }
}

// Which ports a swapper refuses is units_test's; a refused block's failure is the trigger's above.
TEST_F(Simulation, SwapperCrossesItsSides) {
  place<orvane::XUnit>(kSwapper, 2, 1);
  lay(2, 0, 'v');
  lay(4, 0, 'v');
  startWith({{2, 0, A}, {4, 0, C}});
  step();
  step();
  EXPECT_EQ((Blocks{{2, 2, C}, {4, 2, A}}), blocksOf(level));  // ports are given out left to right
}

TEST_F(Simulation, AccumulatorOnTheTopRowGathersThreeQueuedBlocksAndGivesThemOutTogether) {
  auto* accumulator = place<orvane::ZAccumulatorUnit>(kAccumulator, 3, 0);
  ASSERT_NE(nullptr, accumulator);
  level.setInput(3, "ABC");
  level.start();
  for (std::size_t stored = 1; stored <= 3; ++stored) {
    step();
    ASSERT_FALSE(level.failed) << failure();
    EXPECT_EQ(stored, accumulator->stored.size());
    EXPECT_EQ(3 - stored, level.blocks.size());
  }
  step();
  EXPECT_TRUE(accumulator->stored.empty());
  EXPECT_EQ((Blocks{{3, 1, C}, {4, 1, B}, {5, 1, A}}), blocksOf(level));  // newest left, oldest right
}

TEST_F(Simulation, AfterARuleBreaksEveryBlockMovesUnitsGiveOutButTakeNothingInAndTheLastMessageStays) {
  auto* trigger = place<orvane::ZTriggerUnit>(kTrigger, 4, 3);
  ASSERT_NE(nullptr, trigger);
  trigger->held = B;
  lay(8, 3, 'v');  // onto the empty (8, 4)
  lay(0, 3, '<');
  lay(5, 2, 'v');
  // The first block falls off, the second leaves the field, the third falls into the middle port
  // but is not taken in. The held block is still given out, appended last.
  startWith({{8, 3, A}, {0, 3, A}, {5, 2, C}});
  step();
  EXPECT_EQ(kOutOfBounds, level.failureText);
  EXPECT_EQ((Blocks{{8, 4, A}, {-1, 3, A}, {5, 3, C}, {4, 4, B}}), blocksOf(level));
  EXPECT_EQ(0, trigger->held);
}

TEST_F(Simulation, ARefusedBlockDoesNotStopTheOthersBeingTakenIn) {
  auto* left = place<orvane::ZTriggerUnit>(kTrigger, 0, 3);
  auto* right = place<orvane::ZTriggerUnit>(kTrigger, 4, 3);
  ASSERT_TRUE(left != nullptr && right != nullptr);
  lay(0, 2, 'v');
  lay(5, 2, 'v');
  startWith({{0, 2, A}, {5, 2, C}});
  step();
  EXPECT_EQ(kHitControlBlock, level.failureText);
  EXPECT_EQ(0, left->held);
  EXPECT_EQ(C, right->held);
  EXPECT_EQ((Blocks{{0, 3, A}}), blocksOf(level));
}

TEST_F(Simulation, AbsorbedAndDeliveredBlocksLeaveTheOthersInOrder) {
  level.setTarget(0, "A");
  place<orvane::XUnit>(kTrigger, 4, 3);
  for (const Cell cell : {Cell{0, 10}, Cell{5, 2}, Cell{8, 8}, Cell{8, 9}, Cell{9, 8}, Cell{9, 9}}) lay(cell.x, cell.y, 'v');
  startWith({{8, 8, A}, {0, 10, A}, {5, 2, B}, {9, 8, C}});
  step();
  ASSERT_FALSE(level.failed) << failure();
  EXPECT_EQ((Blocks{{8, 9, A}, {9, 9, C}}), blocksOf(level));
  EXPECT_EQ(1, level.delivered[0]);
}

}  // namespace
