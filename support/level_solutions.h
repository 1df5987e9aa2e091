// Solved layouts of catalogue levels: the conveyors as an 11 × 11 text grid and the units placed from
// the palette. Plain data, shared by the solution tests, the replay scripts and the benchmarks.
//
// Grid: one string per row y (0 at the top), one character per column x (0 at the left):
//   '>' right, 'v' down, '<' left, '^' up conveyor; '.' an empty cell (cells under a unit are empty).
// Conveyor characters map to cell contents 1 '>', 2 'v', 3 '<', 4 '^', which is also the number of
// left clicks that lay them on an empty cell.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "game/level.h"

namespace level_solutions {

// Palette entries, in palette order (the level's own numbering).
inline constexpr std::int32_t kTrigger = kTriggerEntry;
inline constexpr std::int32_t kSwapper = kSwapperEntry;
inline constexpr std::int32_t kAccumulator = kAccumulatorEntry;

// A trigger's first output side; a trigger starts on the left and one click turns it to the right.
inline constexpr std::int32_t kLeft = 0;
inline constexpr std::int32_t kRight = 1;

struct Placement {
  std::int32_t paletteEntry;  // kTrigger, kSwapper or kAccumulator
  std::int32_t x;             // top-left cell of the 3 × 2 footprint
  std::int32_t y;
  std::int32_t side;          // triggers only: kLeft or kRight; kLeft for the other kinds
};

struct Solution {
  std::int32_t number;  // catalogue level number, 1 to 13
  std::array<const char*, 11> rows;
  std::vector<Placement> units;  // in placement order
  std::int32_t wonTick;          // the tick of the run at which `won` is set
};

// Cell content (0 to 4) for a grid character, or −1 for a character that is not part of a grid.
constexpr std::int32_t cellContent(char character) {
  switch (character) {
    case '.': return 0;
    case '>': return 1;
    case 'v': return 2;
    case '<': return 3;
    case '^': return 4;
    default: return -1;
  }
}

// Every catalogue level.
inline const std::vector<Solution> kSolutions = {
    // Level 1: one column of down conveyors carries "ABC" straight to the bottom.
    {1, {".....v.....",  // 0
         ".....v.....",  // 1
         ".....v.....",  // 2
         ".....v.....",  // 3
         ".....v.....",  // 4
         ".....v.....",  // 5
         ".....v.....",  // 6
         ".....v.....",  // 7
         ".....v.....",  // 8
         ".....v.....",  // 9
         ".....v....."},  // 10
     {}, 896},

    // Level 2: column 3's blocks ride right into column 5; column 7's take a two-step detour
    // through column 8 and join column 5 right behind them.
    {2, {"...>>v.>v..",  // 0
         ".....v<<<..",  // 1
         ".....v.....",  // 2
         ".....v.....",  // 3
         ".....v.....",  // 4
         ".....v.....",  // 5
         ".....v.....",  // 6
         ".....v.....",  // 7
         ".....v.....",  // 8
         ".....v.....",  // 9
         ".....v....."},  // 10
     {}, 1088},

    // Level 3: the trigger sends A left and B right; A takes a two-step detour through column 3
    // and follows B into column 5.
    {3, {"...........",  // 0  trigger on columns 4-6
         "...........",  // 1
         "...v<v<....",  // 2
         "...v.v.....",  // 3
         "...v.v.....",  // 4
         "...v.v.....",  // 5
         "...v.v.....",  // 6
         "...v.v.....",  // 7
         "...v.v.....",  // 8
         "...v.v.....",  // 9
         "...>>v....."},  // 10
     {{kTrigger, 4, 0, kLeft}}, 960},

    // Level 4: both columns merge into column 5 as A A B B; the first trigger deals them out
    // A B left and A B right, the two halves meet again as A B A B (the right half three steps
    // behind), and the second trigger, turned right, sends the As right and the Bs left.
    {4, {"...>>v.>v..",  // 0
         ".....v<<<..",  // 1
         "...........",  // 2  trigger on columns 4-6
         "...........",  // 3
         "....v.>v...",  // 4
         "....v..v...",  // 5
         "....>v<<...",  // 6
         "...........",  // 7  trigger on columns 4-6, turned right
         "...........",  // 8
         "...v<.>v...",  // 9
         "...v...v..."},  // 10
     {{kTrigger, 4, 2, kLeft}, {kTrigger, 4, 7, kRight}}, 1344},

    // Level 5: a trigger under each input deals its column out to both sides; the four paths are
    // sized so that column 5 receives A, B (column 3, left), A (column 7, left), B (column 3,
    // right), C (column 7, left), C (column 7, right).
    {5, {"...........",  // 0  triggers on columns 2-4 and 6-8
         "...........",  // 1
         "..vv<.>v>v.",  // 2
         "..v>>v.v<<.",  // 3
         "..vv<<.>>v.",  // 4
         "..v>>v...v.",  // 5
         "..>>>v<<<<.",  // 6
         ".....v.....",  // 7
         ".....v.....",  // 8
         ".....v.....",  // 9
         ".....v....."},  // 10
     {{kTrigger, 2, 0, kLeft}, {kTrigger, 6, 0, kLeft}}, 1408},

    // Level 6: a trigger fed with A A B B C C deals A B C to both sides. The first trigger
    // (turned right) takes AAA then BBB and deals A A B right and A B B left; the second (turned
    // right) takes A A B then CCC and sends A B C right to column 8 and A C C left; the third
    // takes A, A, B, B, C, C from those two left halves, timed by detours, and sends A B C to
    // columns 2 and 5.
    {6, {"..>v.>v.>>v",  // 0
         "...v<<<v<<<",  // 1
         ".......>>v.",  // 2  trigger on columns 2-4, turned right
         ".......v<<.",  // 3
         "v<<.>v<<...",  // 4
         "v..........",  // 5  trigger on columns 4-6, turned right
         "v..........",  // 6
         ">>>v<.>>v..",  // 7
         "........v..",  // 8  trigger on columns 2-4
         "........v..",  // 9
         "..v.>v..v.."},  // 10
     {{kTrigger, 2, 2, kRight}, {kTrigger, 4, 5, kRight}, {kTrigger, 2, 8, kLeft}}, 1728},

    // Level 7: a trigger under each input splits its two blocks (C right of A, B left of C, A
    // left of B). A trigger fed with B then C lets the first C cross the B; one fed with A, C, B,
    // C lets both Cs cross the A and the B of column 8 and sends them to column 8. The last
    // trigger, turned right, gets A B A B and sends the As to column 5 and the Bs to column 2.
    {7, {"...........",  // 0  triggers on columns 1-3 (turned right), 4-6 and 7-9
         "...........",  // 1
         ".v.>v.vv.>v",  // 2
         ".v....>>v<<",  // 3  trigger on columns 3-5
         ".v....^....",  // 4  trigger on columns 7-9
         ".v.>v>^....",  // 5
         ".v.v<<<<v<.",  // 6
         ".>v<....v..",  // 7
         "........v..",  // 8  trigger on columns 1-3, turned right
         "........v..",  // 9
         ".>v>>v..v.."},  // 10
     {{kTrigger, 1, 0, kRight}, {kTrigger, 4, 0, kLeft}, {kTrigger, 7, 0, kLeft},
      {kTrigger, 3, 3, kLeft}, {kTrigger, 7, 4, kLeft}, {kTrigger, 1, 8, kRight}}, 1408},

    // Level 8: the first swapper exchanges B and C, the second A and C, the third A and B.
    {8, {"..v..v.v<..",  // 0
         "..v........",  // 1  swapper on columns 5-7
         "..v........",  // 2
         "..v.v<.v...",  // 3
         ".......v...",  // 4  swapper on columns 2-4
         ".......v...",  // 5
         "..v.>v.v...",  // 6
         "..v........",  // 7  swapper on columns 5-7
         "..v........",  // 8
         "..v..v.>v..",  // 9
         "..v..v..v.."},  // 10
     {{kSwapper, 5, 1, kLeft}, {kSwapper, 2, 4, kLeft}, {kSwapper, 5, 7, kLeft}}, 1024},

    // Level 9: the three inputs reach the first trigger as ABA, then CAB (after one empty step,
    // which keeps its A on an odd count), then ACA; every odd block is an A and goes left to
    // column 2, the others arrive as B C B C at the second trigger, turned right, which sends
    // the Bs to column 8 and the Cs to column 5. The swappers are not needed.
    {9, {".v<..>>vv..",  // 0
         ".>v<<<<vv..",  // 1
         "..v...^<v..",  // 2
         "..v<<<<<<..",  // 3
         "...........",  // 4  trigger on columns 1-3
         "...........",  // 5
         ".>v>>>v....",  // 6
         "..v........",  // 7  trigger on columns 5-7, turned right
         "..v........",  // 8
         "..v..v.>v..",  // 9
         "..v..v..v.."},  // 10
     {{kTrigger, 1, 4, kLeft}, {kTrigger, 5, 7, kRight}}, 1600},

    // Level 10: the Cs of columns 2, 5 and 8 fall into the left ports of three swappers in a
    // staircase and gather on the way to column 8; each swapper's right port takes the B and A of
    // the next two columns, which come out on its left as a pair, B first. The four pairs (the
    // last one climbing back up) reach the trigger, turned right, as B A B A B A B A: Bs go right
    // to column 5, As left to column 2. Detours time the pairs so that they never overlap.
    {10, {">vv>vv>vv>v",  // 0
         "v<...v.vv.v",  // 1  swapper on columns 2-4
         ">v...v.vv.v",  // 2
         "v<v.>v.vv.v",  // 3
         ">vv.....v.v",  // 4  swapper on columns 5-7
         ".vv.....v.v",  // 5
         ".>>v.>v>v.v",  // 6
         "...v<<<....",  // 7  swapper on columns 8-10
         ".....^.....",  // 8  trigger on columns 2-4, turned right
         ".....^<<<.v",  // 9
         "..v.>v..v<<"},  // 10
     {{kSwapper, 2, 1, kLeft}, {kSwapper, 5, 4, kLeft}, {kSwapper, 8, 7, kLeft}, {kTrigger, 2, 8, kRight}}, 1408},

    // Level 11: the three inputs merge into column 4 as AAA BBB CCC (each three steps behind the
    // one before); the accumulator deals every group of three out to its three ports, which lead
    // to columns 2, 5 and 8.
    {11, {"..>>v>>v>>v",  // 0
         "....v<<<..v",  // 1
         "....v<<<<<<",  // 2
         "...........",  // 3  accumulator on columns 4-6
         "...........",  // 4
         "..v<<v>>v..",  // 5
         "..v..v..v..",  // 6
         "..v..v..v..",  // 7
         "..v..v..v..",  // 8
         "..v..v..v..",  // 9
         "..v..v..v.."},  // 10
     {{kAccumulator, 4, 3, kLeft}}, 1536},

    // Level 12: every input gathers above the accumulator, which takes three groups: A B C (column
    // 6, then column 4's C), A B B (column 4's A, column 2's Bs) and A B C (column 2's A, the second
    // B back from a round trip, column 8's C after a long detour on the right). It puts each
    // group's oldest block right to column 8, the middle one to column 5 and the newest left to the
    // trigger, turned right, which gets C, B, C: the Cs go right to column 2, the B goes left and
    // climbs column 0 back into the accumulator, behind column 2's A and ahead of column 8's C.
    {12, {"v<<.>vv.>>v",  // 0
         "v....vvv<<v",  // 1
         "v..v<<v>v^v",  // 2
         ">>v>v.v.v^v",  // 3
         ">>>>v<<<<^v",  // 4
         "^........^v",  // 5  accumulator on columns 4-6
         "^........^v",  // 6
         "^.v<<v>>v^v",  // 7
         "^....v..v^v",  // 8  trigger on columns 1-3, turned right
         "^....v..v^v",  // 9
         "^<v<.v..v^<"},  // 10
     {{kAccumulator, 4, 5, kLeft}, {kTrigger, 1, 8, kRight}}, 2752},

    // Level 13: three accumulators as crossings. The first gathers A, C and column 5's B and
    // puts B left, C middle, A right; the second takes that A and then columns 7 and 9's Bs (via
    // a detour that puts them behind it) and puts the Bs left of it; the third takes the C and
    // then those two Bs and puts the Bs left of it. The Bs meet in column 2, A then C in column 8.
    {13, {".v<<<<.v.v.",  // 0
         ".......v<<.",  // 1  accumulator on columns 1-3
         ".......>>>v",  // 2
         ".vv>>v<<<<<",  // 3
         ".vv........",  // 4  accumulator on columns 5-7
         ".vv........",  // 5
         ".v>v<<<>v..",  // 6
         ".v......v..",  // 7  accumulator on columns 3-5
         ".v......v..",  // 8
         ".vv<<>>>v..",  // 9
         ".>v.....v.."},  // 10
     {{kAccumulator, 1, 1, kLeft}, {kAccumulator, 5, 4, kLeft}, {kAccumulator, 3, 7, kLeft}}, 1792},
};

// Not a solution: a ring through rows 0 to 9 that keeps every block falling onto row 0 circling for
// ever, each one cell behind the next. With level 10's eleven blocks it is the busiest run there is.
inline constexpr std::array<const char*, 11> kEndlessLoop = {
    ">>>>>>>>>>v",  // 0
    "^v<<<<<<<<<",  // 1
    "^>>>>>>>>>v",  // 2
    "^v<<<<<<<<<",  // 3
    "^>>>>>>>>>v",  // 4
    "^v<<<<<<<<<",  // 5
    "^>>>>>>>>>v",  // 6
    "^v<<<<<<<<<",  // 7
    "^>>>>>>>>>v",  // 8
    "^<<<<<<<<<<",  // 9
    "...........",  // 10
};

// The solution of a catalogue level, or null when none is written down.
inline const Solution* findSolution(std::int32_t number) {
  for (const Solution& solution : kSolutions) {
    if (solution.number == number) return &solution;
  }
  return nullptr;
}

}  // namespace level_solutions
