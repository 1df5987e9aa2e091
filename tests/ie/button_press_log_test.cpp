// The press recorder: presses in order with their places, taken once, safe across threads.
#include "ie/button_press_log.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace {

std::vector<ie::RecordedPress> take() {
  std::vector<ie::RecordedPress> presses;
  ie::TakeButtonPresses(presses);
  return presses;
}

TEST(ButtonPressLog, PressesAreKeptInOrderWithTheirPlacesAndTakenOnce) {
  take();
  ie::RecordButtonPress(0, 10, 20);
  ie::RecordButtonPress(1);
  ie::RecordButtonPress(4, 1, 1);
  ie::RecordButtonPress(-1);
  ie::RecordButtonPress(3, -5, 700);
  const std::vector<ie::RecordedPress> presses = take();
  ASSERT_EQ(3u, presses.size());
  EXPECT_EQ(0, presses[0].button);
  EXPECT_TRUE(presses[0].position.known);
  EXPECT_EQ(10, presses[0].position.x);
  EXPECT_EQ(20, presses[0].position.y);
  EXPECT_EQ(1, presses[1].button);
  EXPECT_FALSE(presses[1].position.known);
  EXPECT_EQ(3, presses[2].button);
  EXPECT_EQ(-5, presses[2].position.x);
  EXPECT_EQ(700, presses[2].position.y);
  EXPECT_TRUE(take().empty());
}

TEST(ButtonPressLog, FloodBetweenTwoSamplesIsBounded) {
  take();
  for (int i = 0; i < 1000; ++i) ie::RecordButtonPress(0);
  EXPECT_EQ(ie::kMaxRecordedPresses, take().size());
}

TEST(ButtonPressLog, NoPressIsLostOrReorderedBetweenRecordingAndTakingThreads) {
  take();
  constexpr int kBatch = 32;  // within the bound between two takes
  constexpr int kPresses = kBatch * 500;
  std::atomic<int> takenSoFar{0};
  std::thread recorder([&takenSoFar] {
    for (int i = 0; i < kPresses; ++i) {
      ie::RecordButtonPress(0, i, 0);
      if (i % kBatch == kBatch - 1) {
        while (takenSoFar.load() <= i) std::this_thread::yield();
      }
    }
  });
  std::vector<ie::RecordedPress> taken;
  int next = 0;
  bool inOrder = true;
  while (next < kPresses) {
    taken.clear();
    ie::TakeButtonPresses(taken);
    for (const ie::RecordedPress& press : taken) {
      inOrder = inOrder && press.position.x == next;
      ++next;
    }
    takenSoFar.store(next);
  }
  recorder.join();
  EXPECT_TRUE(inOrder);
  EXPECT_EQ(kPresses, next);
  EXPECT_TRUE(take().empty());
}

}  // namespace
