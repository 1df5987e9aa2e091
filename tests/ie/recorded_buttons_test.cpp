// The buttons from a pointer and the window's records together, when the pointer is a device that
// may show a press or release after the window has recorded it.
#include "ie/recorded_buttons.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using ie::RecordedButtons;

// One step per sample of the left button: the pointer's state ('_' up, 'X' down, inside the
// window), optionally preceded by what the window recorded since the last sample ('p' a press,
// 'r' a release). Returns what the samples report, '_' up and 'X' down.
std::string reportedFor(RecordedButtons::PointerSource source, const std::string& steps) {
  RecordedButtons recorded(source);
  std::array<std::uint8_t, ie::kButtonCount> buttons{};
  std::string reported;
  for (const char step : steps) {
    if (step == 'p') {
      ie::RecordButtonPress(0, 10, 10);
      continue;
    }
    if (step == 'r') {
      ie::RecordButtonRelease(0, 10, 10);
      continue;
    }
    recorded.Sample({step == 'X', false, false, false}, true, buttons);
    reported += buttons[0] != 0 ? 'X' : '_';
  }
  return reported;
}

TEST(RecordedButtons, LaggingDeviceIsOvertakenByTheWindowsRecords) {
  const std::pair<const char*, const char*> cases[] = {
      {"_pXXr___", "_XX___"},      // in step
      {"_p__XXr___", "_XXXX___"},  // the device shows the press two samples late: held, not tapped
      {"_pXXrX__", "_XX___"},      // ...and the release one sample late: dropped at once
      {"_pr____", "_X___"},        // a tap the device never shows
      {"_pr_X__", "_X___"},        // a tap the device shows late, after the window's release
  };
  for (const auto& [steps, reported] : cases) {
    EXPECT_EQ(reported, reportedFor(RecordedButtons::PointerSource::kMayLagRecords, steps)) << steps;
  }
}

// X's pointer is never behind: a record arriving after the pointer has shown the release must not
// hold the button again.
TEST(RecordedButtons, PointerThatLeadsIsNeverOverruledByALateRecord) {
  EXPECT_EQ("_XX___", reportedFor(RecordedButtons::PointerSource::kLeadsRecords, "_XXp_r__"));
}

TEST(RecordedButtons, RecordTheDeviceNeverConfirmsIsDroppedAfterTheLatchsLifetime) {
  std::string steps = "_p";
  for (int sample = 0; sample < 2 * ie::ButtonLatch::kUnmatchedLifetime; ++sample) steps += '_';
  const std::string result = reportedFor(RecordedButtons::PointerSource::kMayLagRecords, steps);
  EXPECT_EQ('X', result[1]);
  EXPECT_EQ('_', result.back());
}

}  // namespace
