// Random layouts on random catalogue levels, run for thousands of ticks with the model's invariants
// checked after every tick. Fixed seeds, so a failure repeats.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "game/game.h"
#include "support/level_layout.h"

namespace {

// What the units hold, for showing that a failed run stands still, and how many blocks are inside
// them; every port and store is checked on the way to be empty or one of A, B, C.
struct Insides {
  std::vector<std::int32_t> state;
  std::int32_t held = 0;
};
Insides insidesOf(const Level& level) {
  Insides insides;
  const auto add = [&insides](std::int32_t colour) {
    EXPECT_TRUE(colour >= 0 && colour <= 3);
    insides.state.push_back(colour);
    insides.held += colour != 0 ? 1 : 0;
  };
  for (const auto& [sequence, placed] : level.units) {
    if (const auto* trigger = dynamic_cast<const orvane::ZTriggerUnit*>(placed.unit.get())) {
      EXPECT_TRUE(trigger->side == 0 || trigger->side == 1);
      insides.state.insert(insides.state.end(), {trigger->initialSide, trigger->side});
      add(trigger->held);
    } else if (const auto* swapper = dynamic_cast<const orvane::ZSwapperUnit*>(placed.unit.get())) {
      add(swapper->fromLeft);
      add(swapper->fromRight);
    } else if (const auto* accumulator = dynamic_cast<const orvane::ZAccumulatorUnit*>(placed.unit.get())) {
      EXPECT_LE(accumulator->stored.size(), 3u);
      insides.state.push_back(static_cast<std::int32_t>(accumulator->stored.size()));
      for (const std::int32_t colour : accumulator->stored) {
        EXPECT_NE(0, colour);
        add(colour);
      }
    }
  }
  return insides;
}

// Everything a tick may change.
auto snapshot(const Level& level) {
  return std::make_tuple(level.tickCount, level.won, level.failureText, layout::blocksOf(level), level.delivered,
                         insidesOf(level).state);
}

class RandomLayouts : public ::testing::Test {
 protected:
  // Mostly down conveyors, so that runs last; sometimes sideways and up ones and empty cells.
  void layRandomConveyors(Level& level) {
    const std::int32_t emptyChance = pick(0, 20);
    for (auto& column : level.cells) {
      for (std::int32_t& cell : column) {
        const std::int32_t roll = pick(0, 99);
        cell = roll < emptyChance ? 0 : roll < 70 ? 2 : pick(1, 4);
      }
    }
  }

  // One of three kinds of layout: random cells, the endless ring with a few cells changed, or a
  // solved layout with a few cells changed. The last two keep blocks moving for a long time.
  void layRandomLayout(Level& level) {
    const std::int32_t kind = pick(0, 2);
    if (kind == 0) {
      layRandomConveyors(level);
      return;
    }
    const level_solutions::Solution* solution = level_solutions::findSolution(level.number);
    if (kind == 2 && solution != nullptr) {
      layout::applySolution(level, *solution);
    } else {
      layout::layConveyors(level, level_solutions::kEndlessLoop);
    }
    for (std::int32_t changes = pick(0, 3); changes > 0; --changes) {
      const std::int32_t x = pick(0, 10);
      const std::int32_t y = pick(0, 10);
      if (level.unitAt(x, y) == nullptr) level.cells[x][y] = pick(0, 4);
    }
    for (auto& [sequence, placed] : level.units) {
      if (pick(0, 4) == 0) placed.unit->toggle();
    }
  }

  // Units wherever they fit: the cells under them are cleared first, as a player would.
  void placeRandomUnits(Level& level) {
    for (std::int32_t attempt = 0; attempt < 8; ++attempt) {
      const std::int32_t entry = pick(0, 2);
      const std::int32_t x = pick(0, 8);
      const std::int32_t y = pick(0, 9);
      if (level.allowance[static_cast<std::size_t>(entry)] <= 0 || level.unitAt(x, y) != nullptr) continue;
      for (std::int32_t column = x; column < x + 3; ++column) {
        for (std::int32_t row = y; row < y + 2; ++row) {
          if (level.unitAt(column, row) == nullptr) level.cells[column][row] = 0;
        }
      }
      layout::placeFromPalette(level, {entry, x, y, pick(0, 1)});
    }
  }

  std::int32_t pick(std::int32_t low, std::int32_t high) {
    return std::uniform_int_distribution<std::int32_t>(low, high)(random);
  }

  std::mt19937 random;
};

struct RunSummary {
  bool failed = false;
  std::int32_t ticks = 0;
};

// Runs the level for up to `tickLimit` ticks, checking the invariants after every tick.
void runChecked(Level& level, std::int32_t tickLimit, RunSummary& summary) {
  std::int32_t inputBlocks = 0;
  for (const std::string& input : level.inputs) inputBlocks += static_cast<std::int32_t>(input.size());
  const auto cellsBefore = level.cells;
  const auto allowanceBefore = level.allowance;
  const std::size_t unitsBefore = level.units.size();

  level.start();
  for (std::int32_t tick = 0; tick < tickLimit && !level.failed; ++tick) {
    std::array<std::int32_t, kFieldSize> deliveredBefore = level.delivered;
    level.tick();
    ASSERT_TRUE(level.running);
    std::int32_t delivered = 0;
    for (std::size_t column = 0; column < kFieldSize; ++column) {
      ASSERT_GE(level.delivered[column], deliveredBefore[column]);
      ASSERT_GE(level.delivered[column], 0);
      ASSERT_LE(level.delivered[column], static_cast<std::int32_t>(level.targets[column].size()));
      delivered += level.delivered[column];
    }
    for (const Block& block : level.blocks) ASSERT_TRUE(block.colour >= 1 && block.colour <= 3);
    // Every block of the inputs is in play, inside a unit or delivered: none lost, none made up.
    ASSERT_EQ(inputBlocks, static_cast<std::int32_t>(level.blocks.size()) + delivered + insidesOf(level).held)
        << "tick " << level.tickCount;
    if (level.won) {
      for (std::size_t column = 0; column < kFieldSize; ++column) {
        ASSERT_EQ(static_cast<std::int32_t>(level.targets[column].size()), level.delivered[column]);
      }
    }
  }
  summary = RunSummary{level.failed, level.tickCount};
  if (level.failed) {
    const auto frozen = snapshot(level);
    layout::runTicks(level, 200);
    ASSERT_TRUE(frozen == snapshot(level)) << "a failed run moved on";
  }
  // The layout is never touched by a run.
  ASSERT_EQ(cellsBefore, level.cells);
  ASSERT_EQ(allowanceBefore, level.allowance);
  ASSERT_EQ(unitsBefore, level.units.size());

  level.stop();
  ASSERT_TRUE(level.blocks.empty());
  ASSERT_EQ(0, insidesOf(level).held);
  for (const std::int32_t delivered : level.delivered) ASSERT_EQ(0, delivered);
}

TEST_F(RandomLayouts, InvariantsHoldEveryTick) {
  Game game;
  random.seed(20240611);
  std::int32_t failedRuns = 0;
  std::int32_t longRuns = 0;
  for (std::int32_t trial = 0; trial < 300; ++trial) {
    Level& level = *game.levels[static_cast<std::size_t>(pick(0, 12))];
    level.clear();
    layRandomLayout(level);
    if (pick(0, 1) == 1) placeRandomUnits(level);
    SCOPED_TRACE("trial " + std::to_string(trial) + ", level " + std::to_string(level.number));
    RunSummary summary;
    runChecked(level, 3000, summary);
    if (HasFatalFailure()) return;
    failedRuns += summary.failed ? 1 : 0;
    longRuns += summary.ticks >= 64 * 10 ? 1 : 0;
  }
  // The random layouts exercise long runs as well as every kind of failure.
  EXPECT_GT(longRuns, 10);
  EXPECT_GT(failedRuns, 100);
}

}  // namespace
