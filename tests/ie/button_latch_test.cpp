// The click latch: every press shows once, a quick tap between two samples included, never twice.
#include "ie/button_latch.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// One character per sample: the pointer's state ('_' up, 'X' down) and the presses recorded
// before it, as a digit after the state. Returns what the samples report, '_' up and 'X' down.
std::string Samples(ie::ButtonLatch& latch, const std::string& samples) {
  std::string reported;
  for (std::size_t i = 0; i < samples.size(); ++i) {
    const bool pointerDown = samples[i] == 'X';
    std::vector<ie::PressPosition> recorded;
    if (i + 1 < samples.size() && samples[i + 1] >= '0' && samples[i + 1] <= '9') {
      recorded.resize(static_cast<std::size_t>(samples[i + 1] - '0'));
      ++i;
    }
    reported += latch.Sample(pointerDown, recorded).down ? 'X' : '_';
  }
  return reported;
}

std::string Samples(const std::string& samples) {
  ie::ButtonLatch latch;
  return Samples(latch, samples);
}

TEST(ButtonLatch, PointerAloneIsReportedAsItIs) {
  EXPECT_EQ("__XXX__X_", Samples("__XXX__X_"));
}

TEST(ButtonLatch, TapBetweenTwoSamplesShowsAsPressThenRelease) {
  // Recorded before the sample in which the pointer is already up again.
  EXPECT_EQ("_X__", Samples("__1__"));
  // Two taps in one frame: two clicks, one after the other.
  EXPECT_EQ("_X_X__", Samples("__2____"));
}

TEST(ButtonLatch, PressSeenByPointerAndRecordedIsShownOnce) {
  // Recorded before the pointer shows it.
  EXPECT_EQ("_XXX___", Samples("_X1XX___"));
  // Recorded a sample later (the toolkit runs between frames).
  EXPECT_EQ("_XXX___", Samples("_XX1X___"));
  // Recorded only after the button is up again.
  EXPECT_EQ("_XX____", Samples("_XX_1___"));
  // Recorded several samples after the release, the toolkit having been held up.
  EXPECT_EQ("_X______", Samples("_X____1__"));
}

TEST(ButtonLatch, ReleaseAndPressBetweenTwoSamplesShowsBothInTurn) {
  // Held, released and pressed again before the next sample: a release, then the second press.
  EXPECT_EQ("_XX_XX_", Samples("_X1XX1XX_"));
  // The same with the second press already released again.
  EXPECT_EQ("_XX_X_", Samples("_X1X_1__"));
}

TEST(ButtonLatch, PressNeverRecordedStopsWaitingForItsRecord) {
  ie::ButtonLatch latch;
  // A press the toolkit never sees (outside the window): shown from the pointer alone.
  EXPECT_EQ("_X_", Samples(latch, "_X_"));
  std::string quiet(ie::ButtonLatch::kUnmatchedLifetime, '_');
  EXPECT_EQ(quiet, Samples(latch, quiet));
  // A tap recorded after that is a click of its own.
  EXPECT_EQ("X_", Samples(latch, "_1_"));
}

TEST(ButtonLatch, FloodOfRecordsIsBounded) {
  ie::ButtonLatch latch;
  const std::vector<ie::PressPosition> flood(1000);
  latch.Sample(false, flood);
  int presses = 1;
  bool wasDown = true;
  for (int sample = 0; sample < 100; ++sample) {
    const bool down = latch.Sample(false, {}).down;
    if (down && !wasDown) ++presses;
    wasDown = down;
  }
  EXPECT_EQ(static_cast<int>(ie::ButtonLatch::kMaxPendingPresses), presses);
  EXPECT_FALSE(latch.down());
}

TEST(ButtonLatch, LatchedPressTellsWhereItHappened) {
  ie::ButtonLatch latch;
  const std::vector<ie::PressPosition> taps = {{true, 10, 20}, {true, 30, 40}, {}};
  ie::LatchSample sample = latch.Sample(false, taps);
  EXPECT_TRUE(sample.down);
  EXPECT_TRUE(sample.fromRecord);
  EXPECT_TRUE(sample.position.known);
  EXPECT_EQ(10, sample.position.x);
  EXPECT_EQ(20, sample.position.y);

  sample = latch.Sample(false, {});  // the release, wherever the pointer is
  EXPECT_FALSE(sample.down);
  EXPECT_FALSE(sample.fromRecord);
  sample = latch.Sample(false, {});
  EXPECT_TRUE(sample.fromRecord);
  EXPECT_EQ(30, sample.position.x);
  EXPECT_EQ(40, sample.position.y);
  latch.Sample(false, {});
  sample = latch.Sample(false, {});
  EXPECT_TRUE(sample.fromRecord);
  EXPECT_FALSE(sample.position.known);

  // A press the pointer shows itself is where the pointer is: no position of a record.
  latch.Sample(false, {});
  sample = latch.Sample(true, taps);
  EXPECT_TRUE(sample.down);
  EXPECT_FALSE(sample.fromRecord);
}

}  // namespace
