// Helpers of the tests and the simulation benchmark that lay a written-down layout on a level the way
// a player would (conveyors on the cells, units cloned from the palette within its allowances) and
// run the machine.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "game/level.h"
#include "support/level_solutions.h"

namespace layout {

// Writes the grid's conveyors into the level's cells. Returns "" or what is wrong with the grid.
std::string layConveyors(Level& level, const std::array<const char*, 11>& rows);

// Places a clone of palette entry `entry` at (x, y) as a drop from the palette would: the kind must
// be offered with units left and the place free. A trigger with side kRight is clicked once.
// Returns "" or why the unit cannot be placed.
std::string placeFromPalette(Level& level, const level_solutions::Placement& placement);

// Conveyors, then units in order. Returns "" or the first problem.
std::string applySolution(Level& level, const level_solutions::Solution& solution);

struct RunOutcome {
  bool won = false;
  bool failed = false;
  std::int32_t tick = 0;  // tickCount when the run settled (or the limit)
  std::string failureText;
};

// Starts the run and ticks until it is won or failed, or `tickLimit` ticks have passed.
RunOutcome runUntilSettled(Level& level, std::int32_t tickLimit);

// Runs `count` ticks.
void runTicks(Level& level, std::int32_t count);

// Down conveyors from `fromRow` to the bottom of one column.
void downColumn(Level& level, std::int32_t column, std::int32_t fromRow = 0);

// The blocks in play as {x, y, colour}, for comparing whole lists at once.
using Blocks = std::vector<std::array<std::int32_t, 3>>;
Blocks blocksOf(const Level& level);

// A Windows-1251 text as UTF-8, for readable test failure messages.
std::string readable(const std::string& windows1251);

}  // namespace layout
