// The recorded button presses: one atomic counter per button.
#include "ie/button_press_log.h"

#include <atomic>

#include "ie/input_state.h"

namespace ie {

namespace {

std::atomic<std::uint32_t> recordedPresses[kButtonCount];

bool IsButton(int button) { return button >= 0 && button < kButtonCount; }

}  // namespace

void RecordButtonPress(int button) {
  if (!IsButton(button)) return;
  recordedPresses[button].fetch_add(1, std::memory_order_relaxed);
}

std::uint32_t TakeButtonPresses(int button) {
  if (!IsButton(button)) return 0;
  return recordedPresses[button].exchange(0, std::memory_order_relaxed);
}

}  // namespace ie
