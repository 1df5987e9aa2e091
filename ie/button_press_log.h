// Mouse-button presses seen by the toolkit's event handler, kept until the input engine's next
// sample. Polling the pointer once a frame misses a press and release that both fall between two
// samples (a quick tap, a scripted click); the event handler sees every press, so it records them
// here and the engine shows each one (see ie/button_latch.h).
//
// Thread-safe: the toolkit records on the main thread, the engine takes on the game thread.
#pragma once

#include <cstdint>

namespace ie {

// Button numbers as the engine's: 0 left, 1 right, 2 middle, 3 a fourth button. Others are ignored.
void RecordButtonPress(int button);

// The presses of `button` recorded since the last call, and forgets them.
std::uint32_t TakeButtonPresses(int button);

}  // namespace ie
