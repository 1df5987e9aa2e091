// The queries over the sampled key and button states, shared by every input engine.
#include "ie/input_state.h"

namespace ie {

namespace {

// Compared unsigned, so that negative numbers fall out of range as well.
bool inRange(std::int32_t index, int count) {
  return static_cast<std::uint32_t>(index) < static_cast<std::uint32_t>(count);
}

}  // namespace

bool ZInputStateEngine::KeyChanged(std::int32_t key, bool wasDown, bool isDown) const {
  if (!inRange(key, kKeyCount)) return false;
  return (previousKeys[key] != 0) == wasDown && (keys[key] != 0) == isDown;
}

bool ZInputStateEngine::KeyWasDown(std::int32_t key) const {
  return inRange(key, kKeyCount) && previousKeys[key] != 0;
}

bool ZInputStateEngine::KeyDown(std::int32_t key) const {
  return inRange(key, kKeyCount) && keys[key] != 0;
}

std::int32_t ZInputStateEngine::MouseX() const { return cursorX; }

std::int32_t ZInputStateEngine::MouseY() const { return cursorY; }

bool ZInputStateEngine::ButtonChanged(std::int32_t button, bool wasDown, bool isDown) const {
  if (!inRange(button, kButtonCount)) return false;
  return (previousButtons[button] != 0) == wasDown && (buttons[button] != 0) == isDown;
}

bool ZInputStateEngine::ButtonWasDown(std::int32_t button) const {
  return inRange(button, kButtonCount) && previousButtons[button] != 0;
}

bool ZInputStateEngine::ButtonDown(std::int32_t button) const {
  return inRange(button, kButtonCount) && buttons[button] != 0;
}

void ZInputStateEngine::ClearKeys() {
  keys.fill(0);
  previousKeys.fill(0);
}

void ZInputStateEngine::KeepPreviousButtons() { previousButtons = buttons; }

void ZInputStateEngine::KeepPreviousKeys() { previousKeys = keys; }

void ZInputStateEngine::SetCursorFromWindow(const display::Fit& fit, int windowX, int windowY) {
  const display::Point point = display::WindowToBackBuffer(fit, windowX, windowY);
  cursorX = point.x;
  cursorY = point.y;
}

}  // namespace ie
