// How long the OpenGL engine takes for a full batch of quads and for a frame with nothing in it,
// on surfaceless EGL (Mesa's software rasteriser on a machine without a GPU). Each figure includes
// waiting for the drawing to finish, not only the queuing.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <unistd.h>

#include "ge/bmp_image.h"
#include "ge/graphic_engine_adapter.h"
#include "ge/graphic_engine_gl.h"
#include "ge/quad.h"
#include "ge/texture_loader.h"

namespace {

constexpr std::int32_t kSheetSlot = 10;
constexpr std::int32_t kOtherSheetSlot = 11;

// One engine for every benchmark, with two 256 × 256 "Auto" sheets like the game's.
ge::GraphicEngineGL& engine() {
  static ge::GraphicEngineGL* const instance = [] {
    ge::GraphicEngineGL* created = ge::GraphicEngineGL::CreateHeadless();
    ge::BmpImage sheet;
    sheet.width = 256;
    sheet.height = 256;
    sheet.rgb.resize(256 * 256 * 3);
    for (std::size_t i = 0; i < sheet.rgb.size(); ++i) sheet.rgb[i] = static_cast<std::uint8_t>(i * 7 % 251);
    const std::string path = "/tmp/varnelle-bench-sheet-" + std::to_string(getpid()) + ".bmp";
    std::string error;
    if (!ge::WriteBmpFile(path.c_str(), sheet, error)) std::fprintf(stderr, "%s\n", error.c_str());
    ge::LoadTexture(*created, kSheetSlot, path.c_str(), "Auto");
    ge::LoadTexture(*created, kOtherSheetSlot, path.c_str(), "Null");
    std::remove(path.c_str());
    return created;
  }();
  return *instance;
}

// 30,000 cell-sized quads (16 × 12) tiled over the logical screen, queued and flushed: the
// 30,000th quad sends the batch. Argument 0: one texture; 1: the texture changes every quad.
void BM_QueueAndFlush30000Quads(benchmark::State& state) {
  ge::GraphicEngineGL& gl = engine();
  ge::ZGraphicEngineAdapter adapter(&gl);
  const bool alternate = state.range(0) != 0;
  ge::Quad quads[400];
  for (int i = 0; i < 400; ++i) {
    ge::MakeQuad(quads[i], static_cast<float>(i % 20 * 16), static_cast<float>(i / 20 * 12), 16, 12);
    ge::SetQuadTexture(quads[i], 0.0f, 0.0f, 1.0f / 16, 1.0f / 16);
  }
  adapter.BeginFrame();
  adapter.Clear(0, 0, 0);
  for (auto _ : state) {
    const std::int64_t flushes = gl.FlushCount();
    adapter.SetTexture(kSheetSlot);
    for (int i = 0; i < ge::GraphicEngineGL::kFlushThreshold; ++i) {
      if (alternate) adapter.SetTexture(i % 2 == 0 ? kSheetSlot : kOtherSheetSlot);
      adapter.DrawQuad(&quads[i % 400]);
    }
    gl.FinishDrawing();
    if (gl.FlushCount() != flushes + 1) state.SkipWithError("the 30,000th quad did not flush");
  }
  adapter.EndFrame();
  state.SetItemsProcessed(state.iterations() * ge::GraphicEngineGL::kFlushThreshold);
}
BENCHMARK(BM_QueueAndFlush30000Quads)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Queuing alone, without drawing: what the game thread pays per quad before the flush.
void BM_QueueQuads(benchmark::State& state) {
  ge::GraphicEngineGL& gl = engine();
  ge::ZGraphicEngineAdapter adapter(&gl);
  ge::Quad quad;
  ge::MakeQuad(quad, 10, 10, 16, 12);
  adapter.BeginFrame();
  adapter.SetTexture(kSheetSlot);
  for (auto _ : state) {
    // Begin a new frame before the threshold so that nothing is ever drawn.
    gl.BeginFrame();
    for (int i = 0; i < 1000; ++i) adapter.DrawQuad(&quad);
  }
  gl.BeginFrame();
  adapter.EndFrame();
  state.SetItemsProcessed(state.iterations() * 1000);
}
BENCHMARK(BM_QueueQuads)->Unit(benchmark::kMicrosecond);

// A frame that only clears and presents: BeginFrame, Clear, EndFrame through the adapter.
void BM_BareFrame(benchmark::State& state) {
  ge::GraphicEngineGL& gl = engine();
  ge::ZGraphicEngineAdapter adapter(&gl);
  for (auto _ : state) {
    adapter.BeginFrame();
    adapter.Clear(0, 0, 0);
    adapter.EndFrame();
    gl.FinishDrawing();
  }
}
BENCHMARK(BM_BareFrame)->Unit(benchmark::kMillisecond);

// A frame with one line of text, the loading screen's.
void BM_TextFrame(benchmark::State& state) {
  ge::GraphicEngineGL& gl = engine();
  ge::ZGraphicEngineAdapter adapter(&gl);
  for (auto _ : state) {
    adapter.BeginFrame();
    adapter.Clear(0, 0, 0);
    adapter.DrawText(50.0f, 0.0f, "Loading...\nA second line of text", 0.0f, 1.0f, 0.0f, 0.92f);
    adapter.EndFrame();
    gl.FinishDrawing();
  }
}
BENCHMARK(BM_TextFrame)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
