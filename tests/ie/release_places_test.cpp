// Release places: each reported release takes the place its own record gives, never another's.
#include "ie/release_places.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string placeText(const ie::PressPosition& place) {
  return place.known ? std::to_string(place.x) + "," + std::to_string(place.y) : "?";
}

// One sample: the releases recorded since the last one, and whether it reports a release.
std::string sample(ie::ReleasePlaces& places, const std::vector<ie::PressPosition>& recorded, bool releasedNow) {
  return placeText(places.Sample(recorded, releasedNow));
}

TEST(ReleasePlaces, ReleaseIsReportedWhereItsRecordSaysWhetherTheRecordCameBeforeOrWithIt) {
  ie::ReleasePlaces places;
  EXPECT_EQ("?", sample(places, {{true, 1, 2}}, false)) << "recorded while the button still reads down";
  EXPECT_EQ("1,2", sample(places, {}, true));
  EXPECT_EQ("3,4", sample(places, {{true, 3, 4}}, true)) << "recorded by the sample that reports it";
  EXPECT_EQ("?", sample(places, {}, false)) << "a sample without a release has no place";
}

// The toolkit was the slower: its record of a release already reported is not kept for the next.
TEST(ReleasePlaces, LateRecordBelongsToTheReleaseAlreadyReported) {
  ie::ReleasePlaces places;
  EXPECT_EQ("?", sample(places, {}, true));
  EXPECT_EQ("?", sample(places, {{true, 1, 2}}, false));
  EXPECT_EQ("5,6", sample(places, {{true, 5, 6}}, true));
}

// A release outside the window is never recorded: after a while a record is a new release's.
TEST(ReleasePlaces, ReleaseNeverRecordedStopsWaitingForItsRecord) {
  ie::ReleasePlaces places;
  EXPECT_EQ("?", sample(places, {}, true));
  for (int i = 0; i <= ie::ReleasePlaces::kUnmatchedLifetime; ++i) sample(places, {}, false);
  EXPECT_EQ("?", sample(places, {{true, 7, 8}}, false));
  EXPECT_EQ("7,8", sample(places, {}, true));
}

TEST(ReleasePlaces, FloodOfRecordsIsBounded) {
  ie::ReleasePlaces places;
  std::vector<ie::PressPosition> flood;
  for (int i = 0; i < 1000; ++i) flood.push_back({true, i, i});
  sample(places, flood, false);
  int known = 0;
  for (int i = 0; i < 100; ++i) known += places.Sample({}, true).known ? 1 : 0;
  EXPECT_EQ(static_cast<int>(ie::ReleasePlaces::kMaxPendingReleases), known);
}

}  // namespace
