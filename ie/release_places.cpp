// Matching reported releases with recorded ones; the rules are in the header.
#include "ie/release_places.h"

namespace ie {

PressPosition ReleasePlaces::Sample(std::span<const PressPosition> recorded, bool releasedNow) {
  for (const PressPosition& release : recorded) {
    if (unmatchedReleases > 0) {
      --unmatchedReleases;  // late record of a release already reported
    } else if (pendingReleases.size() < kMaxPendingReleases) {
      pendingReleases.push_back(release);
    }
  }
  if (unmatchedReleases > 0 && ++unmatchedAge > kUnmatchedLifetime) unmatchedReleases = 0;
  if (!releasedNow) return {};
  if (pendingReleases.empty()) {
    if (unmatchedReleases < kMaxPendingReleases) ++unmatchedReleases;
    unmatchedAge = 0;
    return {};
  }
  const PressPosition place = pendingReleases.front();
  pendingReleases.erase(pendingReleases.begin());
  return place;
}

}  // namespace ie
