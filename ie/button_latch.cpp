// Combining the pointer's button state with the recorded presses; the rules are in the header.
#include "ie/button_latch.h"

#include <algorithm>

namespace ie {

bool ButtonLatch::Sample(bool pointerDown, std::uint32_t recordedPresses) {
  pendingPresses = std::min(kMaxPendingPresses,
                            pendingPresses + std::min(recordedPresses, kMaxPendingPresses));

  // Recorded presses the pointer has already shown are not shown again.
  const std::uint32_t matched = std::min(pendingPresses, unmatchedPresses);
  pendingPresses -= matched;
  unmatchedPresses -= matched;
  if (unmatchedPresses > 0 && ++unmatchedAge > kUnmatchedLifetime) unmatchedPresses = 0;

  if (!reportedDown) {
    if (pointerDown) {
      // A press the pointer shows: either its record is already here, or it will come later.
      if (pendingPresses > 0) {
        --pendingPresses;
      } else {
        unmatchedPresses = std::min(unmatchedPresses + 1, kMaxPendingPresses);
        unmatchedAge = 0;
      }
      reportedDown = true;
    } else if (pendingPresses > 0) {
      // Pressed and released between two samples: latched down for this sample.
      --pendingPresses;
      reportedDown = true;
    }
  } else if (pendingPresses > 0) {
    // Released and pressed again since the last sample: show the release now, the press next.
    reportedDown = false;
  } else {
    reportedDown = pointerDown;
  }
  return reportedDown;
}

}  // namespace ie
