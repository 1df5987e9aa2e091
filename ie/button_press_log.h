// Mouse-button presses seen by the toolkit's event handler, kept until the input engine's next
// sample. Polling the pointer once a frame misses a press and release that both fall between two
// samples (a quick tap, a scripted click); the event handler sees every press, so it records them
// here, with where in the window it happened, and the engine shows each one at its place
// (see ie/button_latch.h). Releases are recorded too, with their places, so that a drop lands
// where the button went up even when the pointer has moved on by the next sample
// (ie/release_places.h).
//
// Thread-safe: the toolkit records on the main thread, the engine takes on the game thread.
#pragma once

#include <cstddef>
#include <vector>

#include "ie/button_latch.h"

namespace ie {

struct RecordedPress {
  int button;
  PressPosition position;
  bool release = false;  // the button went up there (ie/release_places.h)
};

// Presses beyond this many between two samples are dropped.
inline constexpr std::size_t kMaxRecordedPresses = 64;

// Button numbers as the engine's: 0 left, 1 right, 2 middle, 3 a fourth button. Others are ignored.
// The position is in window pixels, as the toolkit reports it.
void RecordButtonPress(int button, int windowX, int windowY);
// A press whose position is not known: it is shown where the pointer is at the sample.
void RecordButtonPress(int button);
// A release, in the same order as the presses, so that a drop lands where the button went up.
void RecordButtonRelease(int button, int windowX, int windowY);

// Appends the presses (and releases) recorded since the last call to `presses`, oldest first, and
// forgets them.
void TakeButtonPresses(std::vector<RecordedPress>& presses);

}  // namespace ie
