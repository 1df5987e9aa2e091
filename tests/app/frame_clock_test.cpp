// The frame limiter's rule: (now − last) × fps ≥ 1000 on a wrapping millisecond timer.
#include "app/frame_clock.h"

#include <gtest/gtest.h>

TEST(FrameClock, SixtyFramesASecondNeedSeventeenWholeMillisecondsAcrossWrapsAndStalls) {
  EXPECT_FALSE(FrameTimeReached(1000, 1000, 60));
  EXPECT_FALSE(FrameTimeReached(1016, 1000, 60));
  EXPECT_TRUE(FrameTimeReached(1017, 1000, 60));
  EXPECT_TRUE(FrameTimeReached(5, 0xFFFFFFF0u, 60));    // 21 ms across the wrap
  EXPECT_FALSE(FrameTimeReached(0, 0xFFFFFFF5u, 60));   // 11 ms across the wrap
  // A reading before the last frame start (negative difference) never lets a frame through.
  EXPECT_FALSE(FrameTimeReached(1000, 1010, 60));
  EXPECT_TRUE(FrameTimeReached(0x7FFFFFFFu, 0, 60));   // a long stall does not overflow
  EXPECT_FALSE(FrameTimeReached(0x80000000u, 0, 60));  // half the timer's range reads as negative
}

// The limiter sleeps once to this many milliseconds after the frame's start: the first whole
// millisecond at which the rule above lets the frame through, for every rate.
TEST(FrameClock, OneSleepReachesTheFirstMillisecondTheRuleAllows) {
  for (const std::int32_t fps : {1, 24, 30, 59, 60, 61, 144, 999, 1000, 1001, 5000}) {
    const std::int32_t wait = FrameMilliseconds(fps);
    EXPECT_TRUE(FrameTimeReached(1000 + static_cast<std::uint32_t>(wait), 1000, fps)) << fps;
    EXPECT_FALSE(FrameTimeReached(1000 + static_cast<std::uint32_t>(wait) - 1, 1000, fps)) << fps;
  }
  EXPECT_EQ(17, FrameMilliseconds(60));
  EXPECT_EQ(1, FrameMilliseconds(0));
}
