// Frame pacing figures for benchmark builds: the summary of the frame intervals.
#include "app/frame_stats.h"

#include <algorithm>
#include <cmath>

FrameIntervalSummary SummariseFrameStarts(const std::vector<std::int64_t>& startMicroseconds) {
  FrameIntervalSummary summary;
  if (startMicroseconds.size() < 2) return summary;
  std::vector<std::int64_t> intervals;
  intervals.reserve(startMicroseconds.size() - 1);
  for (std::size_t index = 1; index < startMicroseconds.size(); ++index) {
    intervals.push_back(startMicroseconds[index] - startMicroseconds[index - 1]);
  }
  std::sort(intervals.begin(), intervals.end());
  const std::size_t count = intervals.size();
  // Nearest rank: the smallest value with at least p·count values at or below it.
  const auto rank = [count](double fraction) {
    const auto position = static_cast<std::size_t>(std::ceil(fraction * static_cast<double>(count)));
    return std::clamp<std::size_t>(position, 1, count) - 1;
  };
  summary.intervals = count;
  summary.medianMilliseconds = Milliseconds(intervals[rank(0.5)]);
  summary.percentile99Milliseconds = Milliseconds(intervals[rank(0.99)]);
  return summary;
}
