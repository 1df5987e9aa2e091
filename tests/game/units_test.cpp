// The three unit kinds on their own: what each takes in, gives out, and keeps across toggle and
// reset. A move step asks every port in the order 0, 1, 2 before handing anything new in.
#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "game/unit.h"

namespace {

using orvane::XUnit;
using orvane::ZAccumulatorUnit;
using orvane::ZSwapperUnit;
using orvane::ZTriggerUnit;

constexpr std::int32_t A = 1;
constexpr std::int32_t B = 2;
constexpr std::int32_t C = 3;

using Outputs = std::array<std::int32_t, 3>;
using Stored = std::vector<std::int32_t>;

// What the unit gives out at one move step: ports 0, 1, 2 in that order.
Outputs emitAll(XUnit& unit) { return {unit.emit(0), unit.emit(1), unit.emit(2)}; }

TEST(TriggerUnit, AlternatesOutputsOneStepAfterEachArrivalFromItsMiddleOnly) {
  ZTriggerUnit trigger;
  EXPECT_EQ((Outputs{0, 0, 0}), emitAll(trigger));
  EXPECT_TRUE(trigger.accept(1, A));
  EXPECT_FALSE(trigger.accept(0, B));  // refused: the state stays
  EXPECT_FALSE(trigger.accept(2, C));
  EXPECT_EQ((Outputs{A, 0, 0}), emitAll(trigger));
  EXPECT_TRUE(trigger.accept(1, B));
  EXPECT_EQ((Outputs{0, 0, B}), emitAll(trigger));
  EXPECT_TRUE(trigger.accept(1, C));
  EXPECT_EQ((Outputs{C, 0, 0}), emitAll(trigger));
  // Nothing held: nothing out, and the side does not move on.
  EXPECT_EQ((Outputs{0, 0, 0}), emitAll(trigger));
  EXPECT_EQ(1, trigger.side);
}

TEST(TriggerUnit, ToggleTurnsBothSidesAndResetGoesBackToThePlayersChoice) {
  ZTriggerUnit trigger;
  trigger.toggle();
  EXPECT_EQ(1, trigger.side);
  ASSERT_TRUE(trigger.accept(1, A));
  EXPECT_EQ((Outputs{0, 0, A}), emitAll(trigger));  // side is now 0
  trigger.toggle();                                  // during a run: initialSide 0, side 1
  EXPECT_EQ(0, trigger.initialSide);
  EXPECT_EQ(1, trigger.side);
  trigger.toggle();
  ASSERT_TRUE(trigger.accept(1, B));  // held when the run is stopped
  trigger.reset();
  EXPECT_EQ(1, trigger.initialSide);
  EXPECT_EQ(1, trigger.side);
  EXPECT_EQ(0, trigger.held);
}

TEST(SwapperUnit, CrossesBothSidesInOneStep) {
  ZSwapperUnit swapper;
  EXPECT_TRUE(swapper.accept(0, A));
  EXPECT_FALSE(swapper.accept(1, B));
  EXPECT_TRUE(swapper.accept(2, C));
  EXPECT_EQ((Outputs{C, 0, A}), emitAll(swapper));
  EXPECT_EQ((Outputs{0, 0, 0}), emitAll(swapper));
  EXPECT_TRUE(swapper.accept(2, B));  // one side alone passes through too
  EXPECT_EQ((Outputs{B, 0, 0}), emitAll(swapper));
  swapper.accept(0, A);
  swapper.reset();
  EXPECT_EQ((Outputs{0, 0, 0}), emitAll(swapper));
}

TEST(AccumulatorUnit, GivesThreeAtOnceNewestLeftOldestRight) {
  ZAccumulatorUnit accumulator;
  EXPECT_TRUE(accumulator.accept(0, A));
  EXPECT_FALSE(accumulator.accept(1, B));
  EXPECT_EQ((Outputs{0, 0, 0}), emitAll(accumulator));
  EXPECT_TRUE(accumulator.accept(0, B));
  EXPECT_TRUE(accumulator.accept(0, C));
  EXPECT_FALSE(accumulator.accept(0, A));  // never more than three
  EXPECT_EQ((Stored{A, B, C}), accumulator.stored);
  // It empties only when the right port has been read.
  EXPECT_EQ(C, accumulator.emit(0));
  EXPECT_EQ(B, accumulator.emit(1));
  EXPECT_EQ(3u, accumulator.stored.size());
  EXPECT_EQ(A, accumulator.emit(2));
  EXPECT_TRUE(accumulator.stored.empty());

  // Reset empties it and it counts from zero again: one new block gives nothing out.
  accumulator.accept(0, A);
  accumulator.accept(0, B);
  accumulator.reset();
  accumulator.accept(0, C);
  EXPECT_EQ((Outputs{0, 0, 0}), emitAll(accumulator));
}

}  // namespace
