// The frame limiter's millisecond clock.
#include "app/frame_clock.h"

#include <chrono>
#include <thread>

#include "app/program_globals.h"

namespace {

// lastFrameTime takes the timer's value at its first use, by the limiter or by MarkFrameStart,
// whichever comes first. Both run on the game thread only.
bool lastFrameTimeSet = false;

}  // namespace

std::uint32_t MillisecondTimer() {
  using namespace std::chrono;
  const auto elapsed = duration_cast<milliseconds>(steady_clock::now().time_since_epoch());
  return static_cast<std::uint32_t>(elapsed.count());
}

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

void WaitForFrameTime() {
  if (!lastFrameTimeSet) MarkFrameStart();
  while (!FrameTimeReached(MillisecondTimer(), lastFrameTime, framesPerSecond)) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
}
