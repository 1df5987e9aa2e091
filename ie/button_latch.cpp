// Combining the pointer's button state with the recorded presses; the rules are in the header.
#include "ie/button_latch.h"

#include <algorithm>

namespace ie {

LatchSample ButtonLatch::Sample(bool pointerDown, bool pointerInWindow, std::span<const PressPosition> recorded) {
  for (const PressPosition& press : recorded) {
    if (pendingPresses.size() < kMaxPendingPresses) pendingPresses.push_back(press);
  }

  // Recorded presses the pointer has already shown are not shown again.
  const std::size_t matched = std::min<std::size_t>(pendingPresses.size(), unmatchedPresses);
  pendingPresses.erase(pendingPresses.begin(), pendingPresses.begin() + static_cast<std::ptrdiff_t>(matched));
  unmatchedPresses -= static_cast<std::uint32_t>(matched);
  if (unmatchedPresses > 0 && ++unmatchedAge > kUnmatchedLifetime) unmatchedPresses = 0;

  LatchSample sample;
  if (!reportedDown) {
    if (pointerDown) {
      // A press the pointer shows: either its record is already here, or it will come later, or
      // (outside the window) it never comes.
      if (!pendingPresses.empty()) {
        sample.position = pendingPresses.front();
        pendingPresses.erase(pendingPresses.begin());
      } else if (pointerInWindow) {
        unmatchedPresses = std::min<std::uint32_t>(unmatchedPresses + 1, kMaxPendingPresses);
        unmatchedAge = 0;
      }
      reportedDown = true;
    } else if (!pendingPresses.empty()) {
      // Pressed and released between two samples: latched down for this sample.
      sample.fromRecord = true;
      sample.position = pendingPresses.front();
      pendingPresses.erase(pendingPresses.begin());
      reportedDown = true;
    }
  } else if (!pendingPresses.empty()) {
    // Released and pressed again since the last sample: show the release now, the press next.
    reportedDown = false;
  } else {
    reportedDown = pointerDown;
  }
  sample.down = reportedDown;
  return sample;
}

}  // namespace ie
