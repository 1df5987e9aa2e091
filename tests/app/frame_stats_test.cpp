// Frame pacing figures: median and 99th percentile of the intervals between frame starts.
#include "app/frame_stats.h"

#include <gtest/gtest.h>

TEST(FrameStats, MedianAndPercentileUseNearestRank) {
  EXPECT_EQ(0u, SummariseFrameStarts({1000}).intervals);  // fewer than two starts: no intervals
  const FrameIntervalSummary single = SummariseFrameStarts({5000, 22500});
  EXPECT_DOUBLE_EQ(17.5, single.medianMilliseconds);
  EXPECT_DOUBLE_EQ(17.5, single.percentile99Milliseconds);

  // 100 intervals: 98 of 17 ms, one of 40 ms and one of 18 ms.
  std::vector<std::int64_t> starts{0};
  for (int index = 0; index < 98; ++index) starts.push_back(starts.back() + 17000);
  starts.push_back(starts.back() + 40000);
  starts.push_back(starts.back() + 18000);
  const FrameIntervalSummary summary = SummariseFrameStarts(starts);
  EXPECT_EQ(100u, summary.intervals);
  EXPECT_DOUBLE_EQ(17.0, summary.medianMilliseconds);
  EXPECT_DOUBLE_EQ(18.0, summary.percentile99Milliseconds);  // the 99th of 100 sorted values
}
