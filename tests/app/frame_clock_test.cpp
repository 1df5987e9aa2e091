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
