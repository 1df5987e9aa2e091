// Where each release of one mouse button happened, from the releases the toolkit's event handler
// recorded (ie/button_press_log.h). The engine reports a release at the sample after the button
// went up, and the pointer may have moved on by then: a drag let go over the field and followed
// at once by a move elsewhere would drop where the pointer has got to while the game was slow to
// sample. Each release the engine reports takes the oldest recorded release not yet taken, so the
// game sees it where it was made.
//
// - A recorded release arriving after the engine already reported that release (the toolkit was
//   the slower) belongs to it and is dropped, not kept for the next release. Such a wait lasts
//   kUnmatchedLifetime samples at most: a press and release outside the window are never recorded.
// - Without a record the release is reported where the pointer is, as before.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "ie/button_latch.h"

namespace ie {

class ReleasePlaces {
 public:
  static constexpr int kUnmatchedLifetime = ButtonLatch::kUnmatchedLifetime;
  static constexpr std::size_t kMaxPendingReleases = ButtonLatch::kMaxPendingPresses;

  // One sample: the releases of this button recorded since the last sample, oldest first, and
  // whether this sample reports the button released. Returns where that release happened, when a
  // record tells.
  PressPosition Sample(std::span<const PressPosition> recorded, bool releasedNow);

 private:
  std::vector<PressPosition> pendingReleases;  // recorded, not yet reported; oldest first
  std::uint32_t unmatchedReleases = 0;         // reported, not yet recorded
  int unmatchedAge = 0;                        // samples since the latest unmatched release
};

}  // namespace ie
