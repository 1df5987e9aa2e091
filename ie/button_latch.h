// What one mouse button reports at each sample, from two sources: the pointer's button state at
// the moment of the sample, and the presses the toolkit's event handler recorded since the last
// sample (ie/button_press_log.h). The pointer alone misses a press released before the sample;
// the recorded presses alone arrive late (the handler runs between frames). Together:
//
// - A recorded press the pointer did not show is latched: the button reads down at this sample
//   even though it is up again, and up at the next one, so the game sees a press, then a release.
//   The sample tells where the press happened, so that the engine can report the cursor there
//   (the pointer may have moved on since).
// - A press the pointer shows while its record is already here is reported where the record says
//   it happened: the pointer may have moved on since (a drag from a small target, begun while the
//   game was slow to sample). A press the pointer showed first, inside the window, is matched with
//   its recorded press when that arrives, so the same press is never shown twice. Such a match waits kUnmatchedLifetime
//   samples at most. A press the pointer showed outside the window (or on its frame) is never
//   recorded and waits for nothing: a tap inside the window right after it is a click of its own.
// - A press recorded while the button already reads down (released and pressed again between two
//   samples) shows a release first, then the press at the next sample.
//
// Every press is thus seen as ButtonChanged(b, false, true) in exactly one sample, at most a few
// samples late, and its release after it.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace ie {

// Where a press happened, in window pixels, when the toolkit said so.
struct PressPosition {
  bool known = false;
  int x = 0;
  int y = 0;
};

struct LatchSample {
  bool down = false;         // the button reads down in this sample
  bool fromRecord = false;   // it does so for a recorded press the pointer missed
  PressPosition position;    // where the press this sample shows happened, when a record tells
};

class ButtonLatch {
 public:
  // Samples a toolkit may lag behind the pointer before a press it showed is taken as one the
  // toolkit will never record (half a second at 60 frames per second).
  static constexpr int kUnmatchedLifetime = 30;
  // Presses queued beyond this are dropped: each takes two samples to show, so this is about a
  // second of clicks at 60 frames per second.
  static constexpr std::size_t kMaxPendingPresses = 32;

  // One sample: whether the pointer holds the button now, whether the pointer is inside the
  // window's drawing area, and the presses of this button recorded since the last sample, oldest
  // first.
  LatchSample Sample(bool pointerDown, bool pointerInWindow, std::span<const PressPosition> recorded);

  bool down() const { return reportedDown; }

 private:
  bool reportedDown = false;
  std::vector<PressPosition> pendingPresses;  // recorded, not yet shown nor matched; oldest first
  std::uint32_t unmatchedPresses = 0;         // shown from the pointer, not yet recorded
  int unmatchedAge = 0;                       // samples since the latest unmatched press
};

}  // namespace ie
