// The frame limiter's clock: a millisecond timer that wraps like a 32-bit tick count, the rule
// that says when the next frame may start, and the wait for it.
#pragma once

#include <cstdint>

// Milliseconds since an arbitrary start, from the steady clock (on Windows the multimedia timer,
// timeGetTime); wraps after about 49 days.
std::uint32_t MillisecondTimer();

// True when a frame that started at `last` is at least 1000 / fps milliseconds old at `now`:
// (now − last) × fps ≥ 1000, the difference taken as a signed 32-bit number so that a wrap of
// the timer is harmless. With 60 that is 17 whole milliseconds.
bool FrameTimeReached(std::uint32_t now, std::uint32_t last, std::int32_t framesPerSecond);

// The fewest whole milliseconds after which FrameTimeReached holds: ⌈1000 / fps⌉ (17 at 60).
// A rate of 0 or less is never reached; this then gives 1, a wait that is checked each millisecond.
std::int32_t FrameMilliseconds(std::int32_t framesPerSecond);

// lastFrameTime = a fresh timer reading. Called once a frame, with the toolkit lock held.
void MarkFrameStart();

// Sleeps until FrameTimeReached(now, lastFrameTime, framesPerSecond): one sleep to the first
// millisecond at which it holds, again only if the sleep ended early. There is no catch-up: a
// late frame is simply followed by a full wait from its own start.
void WaitForFrameTime();
