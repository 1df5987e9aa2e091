// The frame limiter's millisecond clock.
#include "app/frame_clock.h"

#include "app/program_globals.h"

#ifdef _WIN32
#include <windows.h>
#include <mmsystem.h>
#else
#include <chrono>
#include <thread>
#endif

namespace {

// lastFrameTime takes the timer's value at its first use, by the limiter or by MarkFrameStart,
// whichever comes first. Both run on the game thread only.
bool lastFrameTimeSet = false;

}  // namespace

#ifdef _WIN32
std::uint32_t MillisecondTimer() { return timeGetTime(); }
#else
std::uint32_t MillisecondTimer() {
  using namespace std::chrono;
  const auto elapsed = duration_cast<milliseconds>(steady_clock::now().time_since_epoch());
  return static_cast<std::uint32_t>(elapsed.count());
}
#endif

bool FrameTimeReached(std::uint32_t now, std::uint32_t last, std::int32_t framesPerSecond) {
  // The difference is signed (a reading just before a wrap compares correctly), and the product
  // is taken in 64 bits so that a long stall cannot overflow it.
  const auto elapsed = static_cast<std::int32_t>(now - last);
  return static_cast<std::int64_t>(elapsed) * framesPerSecond >= 1000;
}

void MarkFrameStart() {
  lastFrameTime = MillisecondTimer();
  lastFrameTimeSet = true;
}

std::int32_t FrameMilliseconds(std::int32_t framesPerSecond) {
  if (framesPerSecond <= 0) return 1;
  return (1000 + framesPerSecond - 1) / framesPerSecond;
}

#ifdef _WIN32
// The multimedia timer polled each millisecond; the game thread sets the system's timer period to
// one millisecond, so that Sleep(1) is one and not a scheduler tick of 15.6 ms.
void WaitForFrameTime() {
  if (!lastFrameTimeSet) MarkFrameStart();
  while (!FrameTimeReached(timeGetTime(), lastFrameTime, framesPerSecond)) Sleep(1);
}
#else
void WaitForFrameTime() {
  if (!lastFrameTimeSet) MarkFrameStart();
  using namespace std::chrono;
  // The timer reads whole milliseconds of the steady clock, so the frame may start at the first
  // instant the steady clock reaches the deadline's millisecond. Waking once there instead of
  // every millisecond saves some thousand wake-ups a second for the same frame starts.
  const std::uint32_t deadline = lastFrameTime + static_cast<std::uint32_t>(FrameMilliseconds(framesPerSecond));
  for (;;) {
    // One reading gives both the timer's value and the steady-clock millisecond it stands for.
    const auto thisMillisecond = floor<milliseconds>(steady_clock::now());
    const auto now = static_cast<std::uint32_t>(thisMillisecond.time_since_epoch().count());
    if (FrameTimeReached(now, lastFrameTime, framesPerSecond)) return;
    // The difference is taken modulo 2^32, as the timer wraps; a reading before the frame's start
    // gives a negative one, and the wait then goes on a millisecond at a time.
    const auto remaining = milliseconds(static_cast<std::int32_t>(deadline - now));
    std::this_thread::sleep_until(thisMillisecond + (remaining.count() > 0 ? remaining : milliseconds(1)));
  }
}
#endif
