// Simulation ticks per second. The busiest catalogue level is level 10: eleven blocks in play, so
// every tick compares 55 pairs. On the endless ring all eleven stay in play for ever.
#include <benchmark/benchmark.h>

#include <cstdio>

#include "game/game.h"
#include "support/level_layout.h"
#include "support/level_solutions.h"

namespace {

// Fails loudly rather than measuring a run that stopped early.
void require(bool condition, const char* what) {
  if (!condition) {
    std::fprintf(stderr, "bench_simulation: %s\n", what);
    std::abort();
  }
}

void BM_TickLevel10AllBlocksCircling(benchmark::State& state) {
  Game game;
  Level& level = *game.levels[9];
  require(layout::layConveyors(level, level_solutions::kEndlessLoop).empty(), "the ring does not lay");
  level.start();
  for (auto _ : state) {
    level.tick();
    if (level.failed || level.won) {  // never on the ring; restart rather than measure a frozen run
      level.stop();
      level.start();
    }
  }
  require(!level.failed && level.blocks.size() == 11, "blocks left the ring");
  state.SetItemsProcessed(state.iterations());
  state.counters["blocks"] = static_cast<double>(level.blocks.size());
}
BENCHMARK(BM_TickLevel10AllBlocksCircling);

// A solved level with units at work, run again from the start whenever it is won.
void BM_TickSolvedRunWithUnits(benchmark::State& state) {
  const auto number = static_cast<std::int32_t>(state.range(0));
  Game game;
  Level& level = *game.levels[static_cast<std::size_t>(number - 1)];
  const level_solutions::Solution* solution = level_solutions::findSolution(number);
  require(solution != nullptr && layout::applySolution(level, *solution).empty(), "no solution to lay");
  level.start();
  for (auto _ : state) {
    level.tick();
    if (level.won || level.failed) {
      require(!level.failed, "the solution failed");
      level.stop();
      level.start();
    }
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_TickSolvedRunWithUnits)->Arg(5)->Arg(11);

}  // namespace

BENCHMARK_MAIN();
