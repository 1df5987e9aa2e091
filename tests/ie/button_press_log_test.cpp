// The press recorder: presses in order with their places, taken once, bounded, safe across threads.
#include "ie/button_press_log.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

namespace {

// The presses taken, one "button@x,y" (or "button@?" without a place) each.
std::string take() {
  std::vector<ie::RecordedPress> presses;
  ie::TakeButtonPresses(presses);
  std::string text;
  for (const ie::RecordedPress& press : presses) {
    text += std::to_string(press.button) + "@" +
            (press.position.known ? std::to_string(press.position.x) + "," + std::to_string(press.position.y) : "?") + " ";
  }
  return text;
}

TEST(ButtonPressLog, PressesOfKnownButtonsAreKeptInOrderWithTheirPlacesTakenOnceAndBounded) {
  take();
  ie::RecordButtonPress(0, 10, 20);
  ie::RecordButtonPress(1);
  ie::RecordButtonPress(4, 1, 1);
  ie::RecordButtonPress(-1);
  ie::RecordButtonPress(3, -5, 700);
  EXPECT_EQ("0@10,20 1@? 3@-5,700 ", take());
  EXPECT_EQ("", take());
  // A flood between two samples is bounded.
  for (int i = 0; i < 1000; ++i) ie::RecordButtonPress(0);
  std::vector<ie::RecordedPress> presses;
  ie::TakeButtonPresses(presses);
  EXPECT_EQ(ie::kMaxRecordedPresses, presses.size());
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
    for (const ie::RecordedPress& press : taken) inOrder = inOrder && press.position.x == next++;
    takenSoFar.store(next);
  }
  recorder.join();
  EXPECT_TRUE(inOrder);
  EXPECT_EQ(kPresses, next);
  EXPECT_EQ("", take());
}

}  // namespace
