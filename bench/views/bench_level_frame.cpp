// Cost of one whole frame of the busiest level (level 10, all eleven blocks in play, four units,
// conveyors over most of the field) drawn and presented through the OpenGL engine, against a bare
// frame that only clears and presents, in the same run. The level frame should stay within 1.5 times
// the bare one: the canvas enlargement dominates, the level's few hundred quads should not. Both
// are the game's own frame (app/game_frame.h); the level is drawn as it stands, never updated, so
// every repetition draws the same picture.
//
// Without a window (surfaceless EGL) presenting swaps nothing, so each frame ends by reading the
// back buffer back: it waits for the frame to be finished and copies it once, as a swap would.
//
// Two comparisons are printed. Wall-clock time, with the software rasteriser's worker threads as
// the game runs it, is what a player waits for, but on a busy machine it mostly measures how long
// those threads wait for a core. With "--single-thread" Mesa's llvmpipe rasterises on the calling
// thread (LP_NUM_THREADS=0), so the thread's CPU time is the frame's whole work, which other
// processes do not inflate.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <unistd.h>

#include "app/game_frame.h"
#include "app/game_pictures_loader.h"
#include "ge/graphic_engine_adapter.h"
#include "ge/graphic_engine_gl.h"
#include "ie/input_engine_scripted.h"
#include "se/sound_engine_silent.h"
#include "support/view_scenes.h"

namespace {

struct Renderer {
  Renderer() : engine(ge::GraphicEngineGL::CreateHeadless()), adapter(engine) {
    LoadGamePictures(*engine, std::string(VARNELLE_SOURCE_DIR) + "/data/");
  }

  // The game's frame; presenting swaps nothing without a window, so the picture is read back.
  void run(FrameGame& game) {
    RunGameFrame({adapter, input, sound}, game);
    engine->ReadBackBuffer(picture);
    benchmark::DoNotOptimize(picture.data());
  }

  ge::GraphicEngineGL* engine;  // lives until the program ends, as in the game
  ge::ZGraphicEngineAdapter adapter;
  ie::ScriptedInputEngine input;
  se::SilentSoundEngine sound;
  std::vector<std::uint8_t> picture;
};

Renderer& renderer() {
  static Renderer* const instance = new Renderer();
  return *instance;
}

void BareFrame(benchmark::State& state) {
  Renderer& frame = renderer();
  NoGame nothing;
  for (auto _ : state) frame.run(nothing);
}

void LevelFrame(benchmark::State& state) {
  Renderer& frame = renderer();
  ViewScene scene = runningLevelScene();
  frame.input.SetPointer(scene.mouseX, scene.mouseY);
  // Drawn as it stands: every repetition measures the same moment of the level.
  ShownGame shown(*scene.game);
  for (auto _ : state) frame.run(shown);
}

// Several short repetitions of each, interleaved at random (see main), so that a burst of load from
// elsewhere on the machine hits both alike; the fastest repetitions are compared.
BENCHMARK(BareFrame)->Unit(benchmark::kMillisecond)->MinTime(0.3)->Repetitions(7);
BENCHMARK(LevelFrame)->Unit(benchmark::kMillisecond)->MinTime(0.3)->Repetitions(7);

struct Times {
  std::vector<double> wall;  // milliseconds per frame, one entry per repetition
  std::vector<double> cpu;
};

// Keeps each repetition's time per frame for the comparison printed at the end.
class FrameTimeReporter final : public benchmark::ConsoleReporter {
 public:
  // Colours only on a terminal, so that logs of the run stay readable.
  FrameTimeReporter() : ConsoleReporter(isatty(STDOUT_FILENO) ? OO_ColorTabular : OO_Tabular) {}

  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.run_type != Run::RT_Iteration || run.error_occurred) continue;
      Times* times = run.run_name.function_name == "BareFrame"    ? &bare
                     : run.run_name.function_name == "LevelFrame" ? &level
                                                                  : nullptr;
      if (times == nullptr) continue;
      // Both in the benchmarks' unit, milliseconds.
      times->wall.push_back(run.GetAdjustedRealTime());
      times->cpu.push_back(run.GetAdjustedCPUTime());
    }
  }

  Times bare;
  Times level;
};

double fastest(const std::vector<double>& times) { return *std::min_element(times.begin(), times.end()); }

void printComparison(const char* what, const std::vector<double>& bare, const std::vector<double>& level) {
  const double bareFastest = fastest(bare);
  const double levelFastest = fastest(level);
  std::printf("%s: bare frame %.3f ms, level 10 frame %.3f ms: %.2f times the bare frame (target at most 1.5)\n",
              what, bareFastest, levelFastest, levelFastest / bareFastest);
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<char*> arguments;
  bool singleThread = false;
  bool interleavingChosen = false;
  for (int i = 0; i < argc; ++i) {
    if (i > 0 && std::strcmp(argv[i], "--single-thread") == 0) {
      singleThread = true;
      continue;
    }
    if (std::strncmp(argv[i], "--benchmark_enable_random_interleaving", 38) == 0) interleavingChosen = true;
    arguments.push_back(argv[i]);
  }
  // Before the engine exists: the rasteriser reads it when the context is made.
  if (singleThread) setenv("LP_NUM_THREADS", "0", 1);
  std::string interleave = "--benchmark_enable_random_interleaving=true";
  if (!interleavingChosen) arguments.push_back(interleave.data());
  int count = static_cast<int>(arguments.size());
  benchmark::Initialize(&count, arguments.data());
  if (benchmark::ReportUnrecognizedArguments(count, arguments.data())) return 1;

  FrameTimeReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  if (reporter.bare.wall.empty() || reporter.level.wall.empty()) return 0;
  if (singleThread) {
    printComparison("work on one thread (CPU time, fastest repetitions)", reporter.bare.cpu, reporter.level.cpu);
  } else {
    printComparison("wall clock (fastest repetitions)", reporter.bare.wall, reporter.level.wall);
  }
  return 0;
}
