// The recorded button presses: a short list behind a mutex (a press is rare, a sample takes them
// all at once).
#include "ie/button_press_log.h"

#include <mutex>

#include "ie/input_state.h"

namespace ie {

namespace {

std::mutex recordMutex;
std::vector<RecordedPress> recorded;

void record(int button, PressPosition position, bool release = false) {
  if (button < 0 || button >= kButtonCount) return;
  std::lock_guard<std::mutex> lock(recordMutex);
  if (recorded.size() < kMaxRecordedPresses) recorded.push_back({button, position, release});
}

}  // namespace

void RecordButtonPress(int button, int windowX, int windowY) { record(button, {true, windowX, windowY}); }

void RecordButtonPress(int button) { record(button, {}); }

void RecordButtonRelease(int button, int windowX, int windowY) { record(button, {true, windowX, windowY}, true); }

void TakeButtonPresses(std::vector<RecordedPress>& presses) {
  std::lock_guard<std::mutex> lock(recordMutex);
  presses.insert(presses.end(), recorded.begin(), recorded.end());
  recorded.clear();
}

}  // namespace ie
