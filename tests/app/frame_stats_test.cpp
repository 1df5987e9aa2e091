// Frame pacing figures: median and 99th percentile of the intervals between frame starts.
#include "app/frame_stats.h"

#include <gtest/gtest.h>

TEST(FrameStats, FewerThanTwoStartsGiveNoIntervals) {
  EXPECT_EQ(0u, SummariseFrameStarts({}).intervals);
  const FrameIntervalSummary summary = SummariseFrameStarts({1000});
  EXPECT_EQ(0u, summary.intervals);
  EXPECT_EQ(0.0, summary.medianMilliseconds);
}

TEST(FrameStats, MedianAndPercentileUseNearestRank) {
  // 100 intervals: 98 of 17 ms, one of 18 ms and one of 40 ms.
  std::vector<std::int64_t> starts{0};
  for (int index = 0; index < 98; ++index) starts.push_back(starts.back() + 17000);
  starts.push_back(starts.back() + 40000);
  starts.push_back(starts.back() + 18000);
  const FrameIntervalSummary summary = SummariseFrameStarts(starts);
  EXPECT_EQ(100u, summary.intervals);
  EXPECT_DOUBLE_EQ(17.0, summary.medianMilliseconds);
  EXPECT_DOUBLE_EQ(18.0, summary.percentile99Milliseconds);  // the 99th of 100 sorted values
}

TEST(FrameStats, SingleIntervalIsBothFigures) {
  const FrameIntervalSummary summary = SummariseFrameStarts({5000, 22500});
  EXPECT_EQ(1u, summary.intervals);
  EXPECT_DOUBLE_EQ(17.5, summary.medianMilliseconds);
  EXPECT_DOUBLE_EQ(17.5, summary.percentile99Milliseconds);
}
