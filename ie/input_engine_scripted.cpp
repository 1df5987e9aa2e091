// The scripted input engine: the state set by the caller, reported at the next Update.
#include "ie/input_engine_scripted.h"

namespace ie {

void ScriptedInputEngine::Update() {
  // The same order as a device read: cursor, then buttons, then keys.
  cursorX = nextX;
  cursorY = nextY;
  KeepPreviousButtons();
  buttons = nextButtons;
  KeepPreviousKeys();
  keys = nextKeys;
}

void ScriptedInputEngine::SetPointer(std::int32_t x, std::int32_t y) {
  nextX = x;
  nextY = y;
}

void ScriptedInputEngine::SetButton(std::int32_t button, bool down) {
  if (static_cast<std::uint32_t>(button) >= static_cast<std::uint32_t>(kButtonCount)) return;
  nextButtons[button] = down ? 0x80 : 0;
}

void ScriptedInputEngine::SetKey(std::int32_t key, bool down) {
  if (static_cast<std::uint32_t>(key) >= static_cast<std::uint32_t>(kKeyCount)) return;
  nextKeys[key] = down ? 0x80 : 0;
}

}  // namespace ie
