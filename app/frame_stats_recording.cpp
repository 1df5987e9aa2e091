// Frame pacing figures for benchmark builds (VARNELLE_FRAME_STATS): recording and printing.
#include "app/frame_stats.h"

#include <atomic>
#include <chrono>

namespace {

std::int64_t nowMicroseconds() {
  using namespace std::chrono;
  return duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count();
}

// Written by the main thread before the game thread starts, or by the game thread inside the
// toolkit lock; read by Shutdown inside the lock. The atomics only keep the first two honest if
// a shutdown comes during start-up.
std::atomic<std::int64_t> questionAnswered{0};
std::atomic<std::int64_t> loadingFramePresented{0};
std::int64_t firstFramePresented = 0;

// Never destroyed: the game thread may still be recording while the process exits.
std::vector<std::int64_t>& frameStarts() {
  static auto* starts = [] {
    auto* vector = new std::vector<std::int64_t>;
    vector->reserve(1 << 16);
    return vector;
  }();
  return *starts;
}

}  // namespace

void RecordQuestionAnswered() { questionAnswered = nowMicroseconds(); }

void RecordLoadingFramePresented() { loadingFramePresented = nowMicroseconds(); }

void RecordFrameStart() { frameStarts().push_back(nowMicroseconds()); }

void RecordFramePresented() {
  if (firstFramePresented == 0) firstFramePresented = nowMicroseconds();
}

void PrintFrameStats(std::FILE* out) {
  const std::int64_t answered = questionAnswered;
  const std::int64_t loading = loadingFramePresented;
  if (answered != 0 && loading != 0) {
    std::fprintf(out, "frame stats: first presented frame (loading) %.1f ms after the question\n",
                 Milliseconds(loading - answered));
  }
  if (answered != 0 && firstFramePresented != 0) {
    std::fprintf(out, "frame stats: first game frame presented %.1f ms after the question\n",
                 Milliseconds(firstFramePresented - answered));
  }
  const FrameIntervalSummary summary = SummariseFrameStarts(frameStarts());
  std::fprintf(out, "frame stats: %zu intervals, median %.2f ms, 99th percentile %.2f ms\n",
               summary.intervals, summary.medianMilliseconds, summary.percentile99Milliseconds);
  std::fflush(out);
}
