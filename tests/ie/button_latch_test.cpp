// The click latch: every press shows once, a quick tap between two samples included, never twice.
#include "ie/button_latch.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// One character per sample: the pointer's state ('_' up, 'X' down inside the window, 'O' down
// outside it) and the presses recorded before it, as a digit after the state. Returns what the
// samples report, '_' up and 'X' down.
std::string reportedFor(ie::ButtonLatch& latch, const std::string& samples) {
  std::string reported;
  for (std::size_t i = 0; i < samples.size(); ++i) {
    const bool pointerDown = samples[i] == 'X' || samples[i] == 'O';
    const bool pointerInWindow = samples[i] != 'O';
    std::vector<ie::PressPosition> recorded;
    if (i + 1 < samples.size() && samples[i + 1] >= '0' && samples[i + 1] <= '9') {
      recorded.resize(static_cast<std::size_t>(samples[i + 1] - '0'));
      ++i;
    }
    reported += latch.Sample(pointerDown, pointerInWindow, recorded).down ? 'X' : '_';
  }
  return reported;
}

std::string reportedFor(const std::string& samples) {
  ie::ButtonLatch latch;
  return reportedFor(latch, samples);
}

TEST(ButtonLatch, EveryPressShowsOnceWhenPointerAndRecordsSeeItAtDifferentTimes) {
  const std::pair<const char*, const char*> cases[] = {
      {"__XXX__X_", "__XXX__X_"},  // the pointer alone is reported as it is
      {"__1__", "_X__"},           // a tap between two samples: a press, then a release
      {"__2____", "_X_X__"},       // two taps in one frame: two clicks in turn
      {"_X1XX___", "_XXX___"},     // recorded before the pointer shows it
      {"_XX1X___", "_XXX___"},     // recorded a sample later
      {"_XX_1___", "_XX____"},     // recorded only after the release
      {"_X____1__", "_X______"},   // recorded several samples after the release
      {"_X1XX1XX_", "_XX_XX_"},    // released and pressed again between two samples
      {"_X1X_1__", "_XX_X_"},      // the same with the second press released again
  };
  for (const auto& [samples, reported] : cases) EXPECT_EQ(reported, reportedFor(samples)) << samples;
}

TEST(ButtonLatch, PressNeverRecordedStopsWaitingForItsRecord) {
  ie::ButtonLatch latch;
  // A press the toolkit never sees (outside the window): shown from the pointer alone.
  EXPECT_EQ("_X_", reportedFor(latch, "_X_"));
  std::string quiet(ie::ButtonLatch::kUnmatchedLifetime, '_');
  EXPECT_EQ(quiet, reportedFor(latch, quiet));
  // A tap recorded after that is a click of its own.
  EXPECT_EQ("X_", reportedFor(latch, "_1_"));
}

TEST(ButtonLatch, ClickInsideTheWindowIsNeverLostAfterAPressOutsideIt) {
  const std::pair<const char*, const char*> cases[] = {
      {"_O__1__", "_X_X__"},     // a tap right after a press outside: both show
      {"_OO_1__", "_XX_X_"},     // the same after a longer press outside
      {"_O__1X1__", "_X_X_X_"},  // a tap, then a press the pointer shows, each recorded
      {"_O_X__1_", "_X_X___"},   // a press inside shown by the pointer still waits for its record
  };
  for (const auto& [samples, reported] : cases) EXPECT_EQ(reported, reportedFor(samples)) << samples;
}

TEST(ButtonLatch, FloodOfRecordsIsBounded) {
  ie::ButtonLatch latch;
  const std::vector<ie::PressPosition> flood(1000);
  latch.Sample(false, true, flood);
  int presses = 1;
  bool wasDown = true;
  for (int sample = 0; sample < 100; ++sample) {
    const bool down = latch.Sample(false, true, {}).down;
    if (down && !wasDown) ++presses;
    wasDown = down;
  }
  EXPECT_EQ(static_cast<int>(ie::ButtonLatch::kMaxPendingPresses), presses);
  EXPECT_FALSE(latch.down());
}

TEST(ButtonLatch, LatchedPressTellsWhereItHappened) {
  ie::ButtonLatch latch;
  const std::vector<ie::PressPosition> taps = {{true, 10, 20}, {true, 30, 40}, {}};
  // Each sample as "down/fromRecord x,y": the taps in turn, released in between wherever the
  // pointer is; a press the pointer shows itself takes its record's place when that is here.
  const auto sample = [&latch](bool pointerDown, const std::vector<ie::PressPosition>& recorded) {
    const ie::LatchSample got = latch.Sample(pointerDown, true, recorded);
    return std::to_string(got.down) + "/" + std::to_string(got.fromRecord) + " " +
           (got.position.known ? std::to_string(got.position.x) + "," + std::to_string(got.position.y) : "?");
  };
  EXPECT_EQ("1/1 10,20", sample(false, taps));
  EXPECT_EQ("0/0 ?", sample(false, {}));
  EXPECT_EQ("1/1 30,40", sample(false, {}));
  sample(false, {});
  EXPECT_EQ("1/1 ?", sample(false, {}));
  sample(false, {});
  EXPECT_EQ("1/0 10,20", sample(true, taps));
}

// The game was slow to sample: by the time the pointer shows the press it has moved on (a drag
// begun on a palette entry), but the toolkit's record of the press is already here.
TEST(ButtonLatch, PressThePointerShowsLateIsReportedWhereItWasRecorded) {
  ie::ButtonLatch latch;
  const std::vector<ie::PressPosition> press = {{true, 448, 136}};
  ie::LatchSample got = latch.Sample(true, true, press);
  EXPECT_TRUE(got.down);
  EXPECT_FALSE(got.fromRecord) << "the pointer shows this press itself";
  EXPECT_TRUE(got.position.known);
  EXPECT_EQ(448, got.position.x);
  EXPECT_EQ(136, got.position.y);
  // Held: the pointer's place from now on.
  got = latch.Sample(true, true, {});
  EXPECT_TRUE(got.down);
  EXPECT_FALSE(got.position.known);
  // A press whose record comes only later has no place to tell at the sample that shows it.
  latch.Sample(false, true, {});
  got = latch.Sample(true, true, {});
  EXPECT_TRUE(got.down);
  EXPECT_FALSE(got.position.known);
  EXPECT_FALSE(latch.Sample(true, true, press).position.known) << "its record only matches it";
}

}  // namespace
