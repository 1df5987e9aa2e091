// The written-down layouts solve their catalogue levels: placed within the allowances, the machine
// runs to a win without breaking a rule, at the recorded tick.
#include <gtest/gtest.h>

#include "game/game.h"
#include "support/level_layout.h"
#include "support/level_solutions.h"

namespace level_solutions {
// Names the level instead of dumping the bytes of a failing parameter.
void PrintTo(const Solution& solution, std::ostream* out) { *out << "level " << solution.number; }
}  // namespace level_solutions

namespace {

// Long enough for any catalogue level: the slowest solution (level 12) settles in 43 steps.
constexpr std::int32_t kTickLimit = 64 * 60;

class Solutions : public ::testing::TestWithParam<level_solutions::Solution> {};

TEST_P(Solutions, LayoutWinsTheLevelWithinItsAllowances) {
  const level_solutions::Solution& solution = GetParam();
  Game game;
  ASSERT_GE(solution.number, 1);
  ASSERT_LE(solution.number, 13);
  Level& level = *game.levels[static_cast<std::size_t>(solution.number - 1)];

  ASSERT_EQ("", layout::applySolution(level, solution));
  const layout::RunOutcome outcome = layout::runUntilSettled(level, kTickLimit);
  EXPECT_FALSE(outcome.failed) << "failed at tick " << outcome.tick << ": " << layout::readable(outcome.failureText);
  ASSERT_TRUE(outcome.won) << "not won after " << outcome.tick << " ticks";
  EXPECT_EQ(solution.wonTick, outcome.tick);
  EXPECT_TRUE(level.solved);
  for (std::size_t column = 0; column < kFieldSize; ++column) {
    EXPECT_EQ(static_cast<std::int32_t>(level.targets[column].size()), level.delivered[column]) << "column " << column;
  }

  // A won run keeps ticking; in a solved level nothing is left to break a rule afterwards.
  layout::runTicks(level, 64 * 4);
  EXPECT_TRUE(level.won);
  EXPECT_FALSE(level.failed) << layout::readable(level.failureText);
  EXPECT_TRUE(level.blocks.empty());

  // Stop and Run again: the level stays solved and the same layout wins again at the same tick.
  level.stop();
  EXPECT_TRUE(level.solved && !level.won);
  const layout::RunOutcome again = layout::runUntilSettled(level, kTickLimit);
  EXPECT_TRUE(again.won);
  EXPECT_FALSE(again.failed);
  EXPECT_EQ(solution.wonTick, again.tick);
}

std::string levelName(const ::testing::TestParamInfo<level_solutions::Solution>& info) {
  return "Level" + std::to_string(info.param.number);
}

INSTANTIATE_TEST_SUITE_P(Catalogue, Solutions, ::testing::ValuesIn(level_solutions::kSolutions), levelName);

}  // namespace
