// Frame pacing figures for benchmark builds (VARNELLE_FRAME_STATS): the time from the answer to
// the start-up question to the first presented frame, and the spread of frame intervals.
#pragma once

#include <cstdint>
#include <cstdio>
#include <vector>

struct FrameIntervalSummary {
  std::size_t intervals = 0;     // number of intervals between recorded frame starts
  double medianMilliseconds = 0;
  double percentile99Milliseconds = 0;
};

inline double Milliseconds(std::int64_t microseconds) { return static_cast<double>(microseconds) / 1000.0; }

// Median and 99th percentile (nearest rank) of the intervals between consecutive frame starts,
// given in microseconds. Fewer than two starts give no intervals and zeros.
FrameIntervalSummary SummariseFrameStarts(const std::vector<std::int64_t>& startMicroseconds);

#ifdef VARNELLE_FRAME_STATS

// Recording, all with the steady clock in microseconds (app/frame_stats_recording.cpp).
void RecordQuestionAnswered();       // main thread, right after the start-up question
void RecordLoadingFramePresented();  // game thread, after the loading frame's EndFrame
void RecordFrameStart();             // game thread, at MarkFrameStart, inside the toolkit lock
void RecordFramePresented();         // game thread, after EndFrame (only the first one is kept)

// Prints the figures to `out`; called by Shutdown with the toolkit lock held.
void PrintFrameStats(std::FILE* out);

#else

// Any other build records and prints nothing; the calls cost nothing.
inline void RecordQuestionAnswered() {}
inline void RecordLoadingFramePresented() {}
inline void RecordFrameStart() {}
inline void RecordFramePresented() {}
inline void PrintFrameStats(std::FILE*) {}

#endif
