// The press recorder: presses in order with their places, taken once, bounded, safe across threads.
#include "ie/button_press_log.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

namespace {

// The presses taken, one "button@x,y" (or "button@?" without a place) each, a release marked "^".
std::string take() {
  std::vector<ie::RecordedPress> presses;
  ie::TakeButtonPresses(presses);
  std::string text;
  for (const ie::RecordedPress& press : presses) {
    text += std::string(press.release ? "^" : "") + std::to_string(press.button) + "@" +
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
  ie::RecordButtonRelease(0, 11, 21);
  ie::RecordButtonRelease(5, 1, 1);
  EXPECT_EQ("0@10,20 1@? 3@-5,700 ^0@11,21 ", take());
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
  // The recorder waits for takes, not for presses, so a lost press ends the test with a failure
  // instead of a wait that never ends: two finished takes after a batch include one that began
  // after the batch was recorded.
  std::atomic<int> takesFinished{0};
  std::atomic<bool> recorderDone{false};
  std::thread recorder([&] {
    for (int i = 0; i < kPresses; ++i) {
      ie::RecordButtonPress(0, i, 0);
      if (i % kBatch == kBatch - 1) {
        const int takesBefore = takesFinished.load();
        while (takesFinished.load() < takesBefore + 2) std::this_thread::yield();
      }
    }
    recorderDone.store(true);
  });
  std::vector<ie::RecordedPress> taken;
  const auto takeAll = [&taken, &takesFinished] {
    ie::TakeButtonPresses(taken);
    takesFinished.fetch_add(1);
  };
  while (!recorderDone.load()) takeAll();
  recorder.join();
  takeAll();
  ASSERT_EQ(static_cast<std::size_t>(kPresses), taken.size()) << "presses were lost or taken twice";
  for (int i = 0; i < kPresses; ++i) ASSERT_EQ(i, taken[static_cast<std::size_t>(i)].position.x) << "press " << i << " out of order";
  EXPECT_EQ("", take());
}

}  // namespace
