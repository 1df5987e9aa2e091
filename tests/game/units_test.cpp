// The three unit kinds on their own: what each takes in, gives out, and keeps across toggle, reset
// and clone. A move step asks every port in the order 0, 1, 2 before handing anything new in.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <string>
#include <vector>

#include "game/cp1251.h"
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

// What the unit gives out at one move step: ports 0, 1, 2 in that order.
Outputs emitAll(XUnit& unit) { return {unit.emit(0), unit.emit(1), unit.emit(2)}; }

TEST(TriggerUnit, AlternatesOutputsOneStepAfterEachArrival) {
  ZTriggerUnit trigger;
  // Step 1: A falls in. Step 2: A leaves left, B falls in. Step 3: B leaves right, C falls in.
  EXPECT_EQ((Outputs{0, 0, 0}), emitAll(trigger));
  EXPECT_TRUE(trigger.accept(1, A));
  EXPECT_EQ((Outputs{A, 0, 0}), emitAll(trigger));
  EXPECT_TRUE(trigger.accept(1, B));
  EXPECT_EQ((Outputs{0, 0, B}), emitAll(trigger));
  EXPECT_TRUE(trigger.accept(1, C));
  EXPECT_EQ((Outputs{C, 0, 0}), emitAll(trigger));
  // Nothing held: nothing out, and the side does not move on.
  EXPECT_EQ((Outputs{0, 0, 0}), emitAll(trigger));
  EXPECT_EQ(1, trigger.side);
  EXPECT_EQ(0, trigger.held);
}

TEST(TriggerUnit, AskingTheOtherPortsGivesNothingAndKeepsTheBlock) {
  ZTriggerUnit trigger;
  ASSERT_TRUE(trigger.accept(1, B));
  EXPECT_EQ(0, trigger.emit(1));
  EXPECT_EQ(0, trigger.emit(2));
  EXPECT_EQ(B, trigger.held);
  EXPECT_EQ(0, trigger.side);
  EXPECT_EQ(B, trigger.emit(0));
}

TEST(TriggerUnit, ToggleTurnsBothSidesAndResetKeepsThePlayersChoice) {
  ZTriggerUnit trigger;
  trigger.toggle();
  EXPECT_EQ(1, trigger.initialSide);
  EXPECT_EQ(1, trigger.side);
  ASSERT_TRUE(trigger.accept(1, A));
  EXPECT_EQ((Outputs{0, 0, A}), emitAll(trigger));
  ASSERT_TRUE(trigger.accept(1, B));  // held when the run is stopped
  trigger.reset();
  EXPECT_EQ(1, trigger.initialSide);
  EXPECT_EQ(1, trigger.side);
  EXPECT_EQ(0, trigger.held);
  // A second click goes back to the left.
  trigger.toggle();
  EXPECT_EQ(0, trigger.initialSide);
  EXPECT_EQ(0, trigger.side);
}

TEST(TriggerUnit, ToggleDuringARunTurnsTheNextOutputOnly) {
  ZTriggerUnit trigger;
  ASSERT_TRUE(trigger.accept(1, A));
  EXPECT_EQ(A, emitAll(trigger)[0]);  // side is now 1
  trigger.toggle();                    // initialSide 1, side 0
  EXPECT_EQ(1, trigger.initialSide);
  EXPECT_EQ(0, trigger.side);
  trigger.reset();
  EXPECT_EQ(1, trigger.side);
}

TEST(SwapperUnit, CrossesBothSidesInOneStep) {
  ZSwapperUnit swapper;
  EXPECT_TRUE(swapper.accept(0, A));
  EXPECT_TRUE(swapper.accept(2, C));
  EXPECT_EQ((Outputs{C, 0, A}), emitAll(swapper));
  EXPECT_EQ((Outputs{0, 0, 0}), emitAll(swapper));
  // One side alone passes through too.
  EXPECT_TRUE(swapper.accept(2, B));
  EXPECT_EQ((Outputs{B, 0, 0}), emitAll(swapper));
  swapper.toggle();  // does nothing
  EXPECT_EQ(0, swapper.fromLeft);
  EXPECT_EQ(0, swapper.fromRight);
}

TEST(AccumulatorUnit, GivesThreeAtOnceNewestLeftOldestRightThenIsEmpty) {
  ZAccumulatorUnit accumulator;
  EXPECT_TRUE(accumulator.accept(0, A));
  EXPECT_EQ((Outputs{0, 0, 0}), emitAll(accumulator));
  EXPECT_TRUE(accumulator.accept(0, B));
  EXPECT_EQ((Outputs{0, 0, 0}), emitAll(accumulator));
  EXPECT_TRUE(accumulator.accept(0, C));
  EXPECT_EQ((Outputs{C, B, A}), emitAll(accumulator));
  EXPECT_TRUE(accumulator.stored.empty());
  EXPECT_EQ((Outputs{0, 0, 0}), emitAll(accumulator));
}

TEST(AccumulatorUnit, EmptiesOnlyWhenTheRightPortHasBeenRead) {
  ZAccumulatorUnit accumulator;
  accumulator.stored = {A, B, C};
  EXPECT_EQ(C, accumulator.emit(0));
  EXPECT_EQ(B, accumulator.emit(1));
  EXPECT_EQ(3u, accumulator.stored.size());
  EXPECT_EQ(A, accumulator.emit(2));
  EXPECT_TRUE(accumulator.stored.empty());
}

TEST(AccumulatorUnit, NeverHoldsMoreThanThree) {
  ZAccumulatorUnit accumulator;
  accumulator.stored = {A, B, C};
  EXPECT_FALSE(accumulator.accept(0, A));
  EXPECT_EQ((std::vector<std::int32_t>{A, B, C}), accumulator.stored);
}

TEST(Units, RefusedBlocksLeaveTheStateAlone) {
  ZTriggerUnit trigger;
  ASSERT_TRUE(trigger.accept(1, B));
  EXPECT_FALSE(trigger.accept(0, A));
  EXPECT_FALSE(trigger.accept(2, C));
  EXPECT_EQ(B, trigger.held);
  EXPECT_EQ(0, trigger.side);

  ZSwapperUnit swapper;
  ASSERT_TRUE(swapper.accept(0, A));
  EXPECT_FALSE(swapper.accept(1, C));
  EXPECT_EQ(A, swapper.fromLeft);
  EXPECT_EQ(0, swapper.fromRight);

  ZAccumulatorUnit accumulator;
  ASSERT_TRUE(accumulator.accept(0, A));
  EXPECT_FALSE(accumulator.accept(1, B));
  EXPECT_FALSE(accumulator.accept(2, C));
  EXPECT_EQ((std::vector<std::int32_t>{A}), accumulator.stored);
}

TEST(Units, ResetEmptiesWhateverARunLeftInside) {
  ZTriggerUnit trigger;
  trigger.accept(1, C);
  trigger.emit(0);
  trigger.accept(1, A);
  trigger.reset();
  EXPECT_EQ(0, trigger.held);
  EXPECT_EQ(trigger.initialSide, trigger.side);

  ZSwapperUnit swapper;
  swapper.accept(0, A);
  swapper.accept(2, B);
  swapper.reset();
  EXPECT_EQ((Outputs{0, 0, 0}), emitAll(swapper));

  ZAccumulatorUnit accumulator;
  accumulator.accept(0, A);
  accumulator.accept(0, B);
  accumulator.reset();
  EXPECT_TRUE(accumulator.stored.empty());
  // Afterwards it counts from zero again: three new blocks, not one.
  accumulator.accept(0, C);
  EXPECT_EQ((Outputs{0, 0, 0}), emitAll(accumulator));
}

TEST(Units, CloneCopiesTheFieldsIntoAnIndependentUnitOfTheSameKind) {
  const ZTriggerUnit prototype;
  std::unique_ptr<XUnit> fresh = prototype.clone();
  auto* freshTrigger = dynamic_cast<ZTriggerUnit*>(fresh.get());
  ASSERT_NE(nullptr, freshTrigger);
  EXPECT_EQ(0, freshTrigger->initialSide);
  EXPECT_EQ(0, freshTrigger->side);
  EXPECT_EQ(0, freshTrigger->held);

  ZTriggerUnit turned;
  turned.toggle();
  std::unique_ptr<XUnit> copy = turned.clone();
  auto* copiedTrigger = dynamic_cast<ZTriggerUnit*>(copy.get());
  ASSERT_NE(nullptr, copiedTrigger);
  EXPECT_EQ(1, copiedTrigger->initialSide);
  copiedTrigger->toggle();
  EXPECT_EQ(1, turned.initialSide);  // the original is untouched

  ZAccumulatorUnit accumulator;
  accumulator.accept(0, B);
  std::unique_ptr<XUnit> accumulatorCopy = accumulator.clone();
  accumulatorCopy->accept(0, C);
  EXPECT_EQ((std::vector<std::int32_t>{B}), accumulator.stored);
  EXPECT_NE(nullptr, dynamic_cast<ZAccumulatorUnit*>(accumulatorCopy.get()));

  const ZSwapperUnit swapper;
  EXPECT_NE(nullptr, dynamic_cast<ZSwapperUnit*>(swapper.clone().get()));
}

TEST(Units, KindNamesAndHelpTexts) {
  const ZTriggerUnit trigger;
  const ZSwapperUnit swapper;
  const ZAccumulatorUnit accumulator;
  EXPECT_STREQ("z_trigger_unit", trigger.kindName());
  EXPECT_STREQ("z_swapper_unit", swapper.kindName());
  EXPECT_STREQ("z_accumulator_unit", accumulator.kindName());
  EXPECT_STREQ("Trigger:\nПоочередно\nвыводит блоки\nна левый и\nправый выходы."_cp1251, trigger.helpText());
  EXPECT_STREQ("Swapper:\nПеренаправляет\nблоки слева на\nправый выход и\nсправа на левый."_cp1251,
               swapper.helpText());
  EXPECT_STREQ("Accumulator:\nНакапливает три\nблока, а затем\nодновременно\nвыводит их."_cp1251,
               accumulator.helpText());
  // Windows-1251 bytes, not UTF-8: "П" is the single byte 0xCF.
  EXPECT_EQ('\xCF', trigger.helpText()[std::strlen("Trigger:\n")]);
}

}  // namespace
