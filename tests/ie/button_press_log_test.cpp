// The press recorder: counts per button, taken once, safe across threads.
#include "ie/button_press_log.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace {

TEST(ButtonPressLog, PressesAreCountedPerButtonAndTakenOnce) {
  for (int button = 0; button < 4; ++button) ie::TakeButtonPresses(button);
  ie::RecordButtonPress(0);
  ie::RecordButtonPress(0);
  ie::RecordButtonPress(1);
  ie::RecordButtonPress(3);
  ie::RecordButtonPress(4);
  ie::RecordButtonPress(-1);
  EXPECT_EQ(2u, ie::TakeButtonPresses(0));
  EXPECT_EQ(0u, ie::TakeButtonPresses(0));
  EXPECT_EQ(1u, ie::TakeButtonPresses(1));
  EXPECT_EQ(0u, ie::TakeButtonPresses(2));
  EXPECT_EQ(1u, ie::TakeButtonPresses(3));
  EXPECT_EQ(0u, ie::TakeButtonPresses(4));
  EXPECT_EQ(0u, ie::TakeButtonPresses(-1));
}

TEST(ButtonPressLog, NoPressIsLostBetweenRecordingAndTakingThreads) {
  ie::TakeButtonPresses(0);
  constexpr int kPresses = 20000;
  std::thread recorder([] {
    for (int i = 0; i < kPresses; ++i) ie::RecordButtonPress(0);
  });
  std::uint32_t taken = 0;
  while (taken < kPresses) taken += ie::TakeButtonPresses(0);
  recorder.join();
  EXPECT_EQ(static_cast<std::uint32_t>(kPresses), taken + ie::TakeButtonPresses(0));
}

}  // namespace
