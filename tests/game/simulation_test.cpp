// The rule book of a run: move steps every 64 ticks, gliding and collisions between them, every
// failure rule with its message, units taking blocks in and giving them out, and the win.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/cp1251.h"
#include "game/level.h"
#include "tests/game/layout.h"

namespace {

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

  void downColumn(std::int32_t column, std::int32_t fromRow = 0) {
    for (std::int32_t y = fromRow; y < kFieldSize; ++y) lay(column, y, 'v');
  }

  orvane::XUnit* place(std::int32_t entry, std::int32_t x, std::int32_t y) {
    level.allowance[static_cast<std::size_t>(entry)] = 1;
    EXPECT_EQ("", layout::placeFromPalette(level, {entry, x, y, kLeft}));
    return level.unitAt(x, y);
  }

  // Starts a run with no inputs and puts blocks straight onto the field.
  void startWith(const std::vector<Block>& blocks) {
    level.start();
    level.blocks = blocks;
  }

  // Runs up to the next move step.
  void step() { layout::runTicks(level, kStepTicks - level.tickCount % kStepTicks); }

  std::string failure() const { return layout::readable(level.failureText); }

  Level level{nullptr};
};

TEST_F(Simulation, ColumnOfDownConveyorsDeliversABCAndIsWonAtTick896) {
  level.setInput(5, "ABC");
  level.setTarget(5, "ABC");
  downColumn(5);
  level.start();

  step();  // queued blocks fall into the field one per step
  ASSERT_EQ(3u, level.blocks.size());
  EXPECT_EQ(0, level.blocks[0].y);
  EXPECT_EQ(-1, level.blocks[1].y);
  EXPECT_EQ(-2, level.blocks[2].y);

  for (std::int32_t moveStep = 2; moveStep <= 14; ++moveStep) {
    step();
    ASSERT_FALSE(level.failed) << "step " << moveStep << ": " << failure();
    const std::int32_t expected = moveStep < 12 ? 0 : moveStep - 11;  // bottom edge at steps 12, 13, 14
    EXPECT_EQ(expected, level.delivered[5]) << "step " << moveStep;
    EXPECT_EQ(3 - expected, static_cast<std::int32_t>(level.blocks.size())) << "step " << moveStep;
    EXPECT_EQ(moveStep == 14, level.won) << "step " << moveStep;
  }
  EXPECT_EQ(896, level.tickCount);
  EXPECT_TRUE(level.solved);

  // A won run keeps ticking.
  layout::runTicks(level, 10);
  EXPECT_EQ(906, level.tickCount);
  EXPECT_TRUE(level.won);
}

TEST_F(Simulation, WinIsSetAtTheExactTickAndNotBefore) {
  level.setInput(5, "ABC");
  level.setTarget(5, "ABC");
  downColumn(5);
  level.start();
  layout::runTicks(level, 895);
  EXPECT_FALSE(level.won);
  EXPECT_EQ(2, level.delivered[5]);
  level.tick();
  EXPECT_TRUE(level.won);
}

TEST_F(Simulation, BlocksGlideTowardTheirNextCell) {
  lay(3, 5, '>');
  lay(4, 5, 'v');
  lay(5, 5, '<');
  lay(6, 5, '^');
  const Block right{3, 5, A};
  const Block down{4, 5, A};
  const Block left{5, 5, A};
  const Block up{6, 5, A};
  const Block queued{7, -2, A};
  const Block onEmptyCell{8, 5, A};
  const Block belowField{2, 11, A};

  EXPECT_EQ(kDirectionRight, blockDirection(level, right));
  EXPECT_EQ(kDirectionDown, blockDirection(level, down));
  EXPECT_EQ(kDirectionLeft, blockDirection(level, left));
  EXPECT_EQ(kDirectionUp, blockDirection(level, up));
  EXPECT_EQ(kDirectionDown, blockDirection(level, queued));
  EXPECT_EQ(kDirectionDown, blockDirection(level, onEmptyCell));
  EXPECT_EQ(kDirectionDown, blockDirection(level, belowField));

  struct Expected {
    std::int32_t phase, horizontal, vertical;
  };
  // Horizontal shift: phase div 4. Vertical shift: (3 × phase) div 16.
  for (const Expected e : {Expected{0, 0, 0}, Expected{3, 0, 0}, Expected{4, 1, 0}, Expected{5, 1, 0},
                           Expected{6, 1, 1}, Expected{16, 4, 3}, Expected{20, 5, 3}, Expected{63, 15, 11}}) {
    level.tickCount = 64 * 7 + e.phase;
    EXPECT_EQ(48 + e.horizontal, blockPosition(level, right).x) << e.phase;
    EXPECT_EQ(60, blockPosition(level, right).y) << e.phase;
    EXPECT_EQ(64, blockPosition(level, down).x) << e.phase;
    EXPECT_EQ(60 + e.vertical, blockPosition(level, down).y) << e.phase;
    EXPECT_EQ(80 - e.horizontal, blockPosition(level, left).x) << e.phase;
    EXPECT_EQ(60 - e.vertical, blockPosition(level, up).y) << e.phase;
    EXPECT_EQ(-24 + e.vertical, blockPosition(level, queued).y) << e.phase;
    EXPECT_EQ(112, blockPosition(level, queued).x) << e.phase;
  }
}

TEST_F(Simulation, BlockFallsOffTheConveyorOntoAnEmptyCell) {
  level.setInput(5, "ABC");
  level.setTarget(5, "ABC");
  downColumn(5, 1);  // nothing on (5, 0)
  level.start();
  layout::runTicks(level, 63);
  EXPECT_FALSE(level.failed);
  level.tick();
  EXPECT_TRUE(level.failed);
  EXPECT_EQ(kFellOffConveyor, level.failureText);
  EXPECT_EQ(64, level.tickCount);
  EXPECT_EQ(0, level.blocks[0].y);  // left where it fell, for the view
}

TEST_F(Simulation, LeavingThroughTheSidesOrTheTopIsOutOfBounds) {
  struct Case {
    Block block;
    char conveyor;
    std::int32_t expectedX, expectedY;
  };
  for (const Case& c : {Case{{10, 4, A}, '>', 11, 4}, Case{{0, 4, B}, '<', -1, 4}, Case{{3, 0, C}, '^', 3, -1}}) {
    level.stop();
    level.clear();
    lay(c.block.x, c.block.y, c.conveyor);
    startWith({c.block});
    step();
    EXPECT_TRUE(level.failed) << c.conveyor;
    EXPECT_EQ(kOutOfBounds, level.failureText) << c.conveyor;
    ASSERT_EQ(1u, level.blocks.size());
    EXPECT_EQ(c.expectedX, level.blocks[0].x);
    EXPECT_EQ(c.expectedY, level.blocks[0].y);
  }
}

TEST_F(Simulation, UpConveyorBelowTheTopRowMovesWithinTheField) {
  lay(3, 2, '^');
  lay(3, 1, '>');
  startWith({{3, 2, A}});
  step();
  EXPECT_FALSE(level.failed) << failure();
  EXPECT_EQ(1, level.blocks[0].y);
}

TEST_F(Simulation, BottomEdgeTakesOnlyTheNextExpectedColour) {
  level.setTarget(2, "AB");
  lay(1, 10, 'v');
  lay(2, 10, 'v');
  startWith({{1, 10, A}});  // column 1 expects nothing
  step();
  EXPECT_TRUE(level.failed);
  EXPECT_EQ(kOutOfBounds, level.failureText);

  level.stop();
  startWith({{2, 10, B}});  // column 2 expects A first
  step();
  EXPECT_TRUE(level.failed);
  EXPECT_EQ(kWrongColour, level.failureText);
  EXPECT_EQ(0, level.delivered[2]);
  ASSERT_EQ(1u, level.blocks.size());  // a wrong block is not absorbed
  EXPECT_EQ(11, level.blocks[0].y);

  level.stop();
  startWith({{2, 10, A}});
  step();
  EXPECT_FALSE(level.failed);
  EXPECT_EQ(1, level.delivered[2]);
  EXPECT_TRUE(level.blocks.empty());
  EXPECT_FALSE(level.won);
}

TEST_F(Simulation, ABlockBeyondACompleteTargetFailsEvenAfterTheWin) {
  level.setInput(5, "AA");
  level.setTarget(5, "A");
  downColumn(5);
  level.start();
  layout::runTicks(level, 12 * 64);
  EXPECT_TRUE(level.won);
  EXPECT_TRUE(level.solved);
  EXPECT_FALSE(level.failed);
  layout::runTicks(level, 64);
  EXPECT_TRUE(level.failed);
  EXPECT_TRUE(level.won);  // both stay set until Stop
  EXPECT_EQ(kOutOfBounds, level.failureText);
  EXPECT_EQ(1, level.delivered[5]);
}

TEST_F(Simulation, BlocksMovingTowardEachOtherCollideAtPhase20) {
  lay(3, 5, '>');
  lay(4, 5, '<');
  startWith({{3, 5, A}, {4, 5, B}});
  layout::runTicks(level, 19);
  EXPECT_FALSE(level.failed);  // 8 units apart
  level.tick();
  EXPECT_TRUE(level.failed);  // 6 units apart
  EXPECT_EQ(20, level.tickCount);
  EXPECT_EQ(kBlocksCollided, level.failureText);
  EXPECT_EQ(3, level.blocks[0].x);
  EXPECT_EQ(4, level.blocks[1].x);
}

TEST_F(Simulation, BlocksConvergingOnOneCellCollideOnTheWay) {
  // One slides right into (5, 5) while the other falls into it from above.
  lay(4, 5, '>');
  lay(5, 4, 'v');
  lay(5, 5, 'v');
  startWith({{4, 5, A}, {5, 4, B}});
  layout::runTicks(level, 43);
  EXPECT_FALSE(level.failed);  // squared distance 52
  level.tick();
  EXPECT_TRUE(level.failed);  // squared distance 41
  EXPECT_EQ(44, level.tickCount);
  EXPECT_EQ(kBlocksCollided, level.failureText);
}

TEST_F(Simulation, FollowingBlocksOnATurnNeverCollide) {
  // A stream turning from down to right and then down again: the followers pass one cell behind.
  level.setInput(2, "ABCABC");
  level.setTarget(6, "ABCABC");
  lay(2, 0, 'v');
  lay(2, 1, '>');
  lay(3, 1, '>');
  lay(4, 1, '>');
  lay(5, 1, '>');
  downColumn(6, 1);
  const layout::RunOutcome outcome = layout::runUntilSettled(level, 64 * 40);
  EXPECT_TRUE(outcome.won);
  EXPECT_FALSE(outcome.failed) << failure();
}

TEST_F(Simulation, FailedRunStandsStill) {
  lay(3, 5, '>');
  lay(4, 5, '<');
  level.setInput(8, "ABC");
  startWith({{3, 5, A}, {4, 5, B}, {8, -1, C}});
  layout::runTicks(level, 20);
  ASSERT_TRUE(level.failed);
  const std::vector<Block> frozen = level.blocks;
  layout::runTicks(level, 500);
  EXPECT_EQ(20, level.tickCount);
  ASSERT_EQ(frozen.size(), level.blocks.size());
  for (std::size_t i = 0; i < frozen.size(); ++i) {
    EXPECT_EQ(frozen[i].x, level.blocks[i].x);
    EXPECT_EQ(frozen[i].y, level.blocks[i].y);
    EXPECT_EQ(frozen[i].colour, level.blocks[i].colour);
  }
}

TEST_F(Simulation, StoppedLevelDoesNotTick) {
  level.tick();
  EXPECT_EQ(0, level.tickCount);
  EXPECT_FALSE(level.running);
}

TEST_F(Simulation, EveryBlockMovesEvenAfterARuleBreaksAndTheLastMessageStays) {
  lay(0, 3, '<');
  lay(5, 3, 'v');  // onto the empty (5, 4)
  startWith({{0, 3, A}, {5, 3, B}});
  step();
  EXPECT_TRUE(level.failed);
  EXPECT_EQ(kFellOffConveyor, level.failureText);
  EXPECT_EQ(-1, level.blocks[0].x);
  EXPECT_EQ(4, level.blocks[1].y);

  level.stop();
  startWith({{5, 3, B}, {0, 3, A}});
  step();
  EXPECT_EQ(kOutOfBounds, level.failureText);
}

TEST_F(Simulation, TriggerTakesABlockFallingIntoItsMiddleAndGivesItOutTheNextStep) {
  auto* trigger = dynamic_cast<orvane::ZTriggerUnit*>(place(kTrigger, 4, 3));
  ASSERT_NE(nullptr, trigger);
  lay(5, 2, 'v');
  lay(4, 5, '>');
  lay(5, 5, 'v');
  startWith({{5, 2, C}});
  step();  // falls into the middle port and is taken in
  ASSERT_FALSE(level.failed) << failure();
  EXPECT_TRUE(level.blocks.empty());
  EXPECT_EQ(C, trigger->held);
  step();  // given out on the left, in the bottom row
  ASSERT_EQ(1u, level.blocks.size());
  EXPECT_EQ(4, level.blocks[0].x);
  EXPECT_EQ(4, level.blocks[0].y);
  EXPECT_EQ(C, level.blocks[0].colour);
  EXPECT_EQ(0, trigger->held);
  EXPECT_EQ(1, trigger->side);
  step();  // falls out of the unit onto the conveyor below
  ASSERT_FALSE(level.failed) << failure();
  EXPECT_EQ(5, level.blocks[0].y);
  step();
  EXPECT_EQ(5, level.blocks[0].x);
  EXPECT_FALSE(level.failed) << failure();
}

TEST_F(Simulation, BlocksMayEnterAUnitOnlyByFallingIntoAPortThatTakesThem) {
  struct Case {
    const char* what;
    Block block;
    char conveyor;  // on the block's cell, '.' for none
  };
  const Case cases[] = {
      {"falls onto the left port", {4, 2, A}, 'v'},
      {"falls onto the right port", {6, 2, A}, 'v'},
      {"pushed in from the left", {3, 3, A}, '>'},
      {"pushed in from the right", {7, 4, A}, '<'},
      {"pushed up into the bottom row", {5, 5, A}, '^'},
  };
  for (const Case& c : cases) {
    level.stop();
    level.clear();
    level.allowance = {1, -1, -1};
    place(kTrigger, 4, 3);
    if (c.conveyor != '.') lay(c.block.x, c.block.y, c.conveyor);
    startWith({c.block});
    step();
    EXPECT_TRUE(level.failed) << c.what;
    EXPECT_EQ(kHitControlBlock, level.failureText) << c.what;
    EXPECT_EQ(1u, level.blocks.size()) << c.what;
  }
}

TEST_F(Simulation, SwapperRefusesItsMiddlePortAndCrossesItsSides) {
  place(kSwapper, 2, 1);
  lay(2, 0, 'v');
  lay(4, 0, 'v');
  startWith({{2, 0, A}, {4, 0, C}});
  step();
  ASSERT_FALSE(level.failed) << failure();
  step();
  ASSERT_EQ(2u, level.blocks.size());
  EXPECT_EQ(2, level.blocks[0].x);  // ports are given out left to right
  EXPECT_EQ(C, level.blocks[0].colour);
  EXPECT_EQ(4, level.blocks[1].x);
  EXPECT_EQ(A, level.blocks[1].colour);
  EXPECT_EQ(2, level.blocks[1].y);

  level.stop();
  lay(3, 0, 'v');
  startWith({{3, 0, B}});
  step();
  EXPECT_TRUE(level.failed);
  EXPECT_EQ(kHitControlBlock, level.failureText);
}

TEST_F(Simulation, AccumulatorOnTheTopRowGathersThreeQueuedBlocksAndGivesThemOutTogether) {
  auto* accumulator = dynamic_cast<orvane::ZAccumulatorUnit*>(place(kAccumulator, 3, 0));
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
  ASSERT_EQ(3u, level.blocks.size());
  EXPECT_TRUE(accumulator->stored.empty());
  const std::int32_t expectedColours[] = {C, B, A};  // newest left, oldest right
  for (std::size_t port = 0; port < 3; ++port) {
    EXPECT_EQ(static_cast<std::int32_t>(3 + port), level.blocks[port].x);
    EXPECT_EQ(1, level.blocks[port].y);
    EXPECT_EQ(expectedColours[port], level.blocks[port].colour);
  }
}

TEST_F(Simulation, AfterARuleBreaksUnitsStillGiveOutButTakeNothingIn) {
  auto* trigger = dynamic_cast<orvane::ZTriggerUnit*>(place(kTrigger, 4, 3));
  ASSERT_NE(nullptr, trigger);
  trigger->held = B;
  lay(0, 3, '<');
  lay(5, 2, 'v');
  // The first block leaves the field in the move phase; the second falls into the middle port
  // but is not taken in. The held block is still given out in the same step.
  startWith({{0, 3, A}, {5, 2, C}});
  step();
  EXPECT_TRUE(level.failed);
  EXPECT_EQ(kOutOfBounds, level.failureText);
  ASSERT_EQ(3u, level.blocks.size());
  EXPECT_EQ(C, level.blocks[1].colour);  // left standing in the middle port
  EXPECT_EQ(3, level.blocks[1].y);
  EXPECT_EQ(B, level.blocks[2].colour);  // the emitted block, appended last
  EXPECT_EQ(4, level.blocks[2].y);
  EXPECT_EQ(0, trigger->held);
}

TEST_F(Simulation, ARefusedBlockDoesNotStopTheOthersBeingTakenIn) {
  auto* left = dynamic_cast<orvane::ZTriggerUnit*>(place(kTrigger, 0, 3));
  auto* right = dynamic_cast<orvane::ZTriggerUnit*>(place(kTrigger, 4, 3));
  ASSERT_NE(nullptr, left);
  ASSERT_NE(nullptr, right);
  lay(0, 2, 'v');
  lay(5, 2, 'v');
  startWith({{0, 2, A}, {5, 2, C}});
  step();
  EXPECT_TRUE(level.failed);
  EXPECT_EQ(kHitControlBlock, level.failureText);
  EXPECT_EQ(0, left->held);
  EXPECT_EQ(C, right->held);
  ASSERT_EQ(1u, level.blocks.size());
  EXPECT_EQ(A, level.blocks[0].colour);
}

TEST_F(Simulation, AbsorbedAndDeliveredBlocksLeaveTheOthersInOrder) {
  level.setTarget(0, "A");
  place(kTrigger, 4, 3);
  lay(0, 10, 'v');
  lay(5, 2, 'v');
  lay(8, 8, 'v');
  lay(8, 9, 'v');
  lay(9, 8, 'v');
  lay(9, 9, 'v');
  startWith({{8, 8, A}, {0, 10, A}, {5, 2, B}, {9, 8, C}});
  step();
  ASSERT_FALSE(level.failed) << failure();
  ASSERT_EQ(2u, level.blocks.size());
  EXPECT_EQ(A, level.blocks[0].colour);
  EXPECT_EQ(C, level.blocks[1].colour);
  EXPECT_EQ(1, level.delivered[0]);
}

}  // namespace
