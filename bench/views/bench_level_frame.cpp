// Cost of one whole frame of the busiest level (level 10, all eleven blocks in play, four units,
// conveyors over most of the field) drawn and presented through the OpenGL engine, against a bare
// frame that only clears and presents, in the same run. The level frame should stay within 1.5 times
// the bare one: the canvas enlargement dominates, the level's few hundred quads should not.
//
// Without a window (surfaceless EGL) presenting swaps nothing, so each frame ends by reading the
// back buffer back: it waits for the frame to be finished and copies it once, as a swap would.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "game/draw_game.h"
#include "ge/graphic_engine_adapter.h"
#include "ge/graphic_engine_gl.h"
#include "ge/texture_loader.h"
#include "ie/input_engine_scripted.h"
#include "tests/views/view_scenes.h"

namespace {

struct Renderer {
  Renderer() : engine(ge::GraphicEngineGL::CreateHeadless()), adapter(engine) {
    const std::string data = std::string(VARNELLE_SOURCE_DIR) + "/data/";
    ge::LoadTexture(*engine, ge::kLogoSlot, (data + "logo.bmp").c_str(), "Null");
    ge::LoadTexture(*engine, ge::kSplashSlot, (data + "vusk.bmp").c_str(), "Null");
    ge::LoadTexture(*engine, ge::kFieldSheetSlot, (data + "field.bmp").c_str(), "Auto");
    ge::LoadTexture(*engine, ge::kButtonSheetSlot, (data + "button.bmp").c_str(), "Auto");
    ge::LoadTexture(*engine, ge::kUnitSheetSlot, (data + "unit.bmp").c_str(), "Auto");
  }

  void present() {
    adapter.EndFrame();
    engine->ReadBackBuffer(picture);
    benchmark::DoNotOptimize(picture.data());
  }

  ge::GraphicEngineGL* engine;  // lives until the program ends, as in the game
  ge::ZGraphicEngineAdapter adapter;
  std::vector<std::uint8_t> picture;
};

Renderer& renderer() {
  static Renderer* const instance = new Renderer();
  return *instance;
}

void BareFrame(benchmark::State& state) {
  Renderer& frame = renderer();
  for (auto _ : state) {
    frame.adapter.BeginFrame();
    frame.adapter.Clear(0.0f, 0.0f, 0.0f);
    frame.present();
  }
}

void LevelFrame(benchmark::State& state) {
  Renderer& frame = renderer();
  ViewScene scene = runningLevelScene();
  ie::ScriptedInputEngine input;
  input.SetPointer(scene.mouseX, scene.mouseY);
  input.Update();
  for (auto _ : state) {
    frame.adapter.BeginFrame();
    frame.adapter.Clear(0.0f, 0.0f, 0.0f);
    drawGame(*scene.game, frame.adapter, input);
    frame.present();
  }
}

// Three repetitions each; the medians are compared, so a burst of load from elsewhere counts less.
BENCHMARK(BareFrame)->Unit(benchmark::kMillisecond)->MinTime(0.5)->Repetitions(3);
BENCHMARK(LevelFrame)->Unit(benchmark::kMillisecond)->MinTime(0.5)->Repetitions(3);

// Keeps the median of each benchmark for the comparison printed at the end.
class MedianReporter final : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.run_type != Run::RT_Aggregate || run.aggregate_name != "median") continue;
      const double milliseconds = run.GetAdjustedRealTime();  // in the benchmark's unit
      if (run.run_name.function_name == "BareFrame") bareMilliseconds = milliseconds;
      if (run.run_name.function_name == "LevelFrame") levelMilliseconds = milliseconds;
    }
  }

  double bareMilliseconds = 0.0;
  double levelMilliseconds = 0.0;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  MedianReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  if (reporter.bareMilliseconds > 0.0 && reporter.levelMilliseconds > 0.0) {
    const double ratio = reporter.levelMilliseconds / reporter.bareMilliseconds;
    std::printf("bare frame %.3f ms, level 10 frame %.3f ms: %.2f times the bare frame (target at most 1.5)\n",
                reporter.bareMilliseconds, reporter.levelMilliseconds, ratio);
  }
  return 0;
}
