// The sampled state every input engine keeps and the queries the game asks of it, written once:
// the current and previous key and button states and the cursor. Engines fill it in Update.
#pragma once

#include <array>
#include <cstdint>

#include "base/display_geometry.h"
#include "ie/input_engine.h"

namespace ie {

inline constexpr int kKeyCount = 256;
inline constexpr int kButtonCount = 4;  // 0 left, 1 right, 2 middle, 3 a fourth button

class ZInputStateEngine : public XInputEngine {
 public:
  // Key numbers are PC scan codes, 0 to 255; anything else (negative numbers too) reads as up.
  bool KeyChanged(std::int32_t key, bool wasDown, bool isDown) const override;
  bool KeyWasDown(std::int32_t key) const override;
  bool KeyDown(std::int32_t key) const override;
  // Back-buffer pixels (640 × 480 when the pointer is over the picture); may lie outside it.
  std::int32_t MouseX() const override;
  std::int32_t MouseY() const override;
  // Buttons 0 to 3; anything else reads as up.
  bool ButtonChanged(std::int32_t button, bool wasDown, bool isDown) const override;
  bool ButtonWasDown(std::int32_t button) const override;
  bool ButtonDown(std::int32_t button) const override;
  void ClearKeys() override;

 protected:
  ~ZInputStateEngine() = default;

  // The latest sample becomes the previous one; Update calls these before reading new states.
  void KeepPreviousButtons();
  void KeepPreviousKeys();
  // Puts the cursor at a point of the window, mapped back through the picture's fit into
  // back-buffer pixels; floor division, so that left of and above the picture read negative.
  void SetCursorFromWindow(const display::Fit& fit, int windowX, int windowY);

  // A key or button is down when its byte is not zero. Everything starts released.
  std::array<std::uint8_t, kKeyCount> keys{};
  std::array<std::uint8_t, kKeyCount> previousKeys{};
  std::array<std::uint8_t, kButtonCount> buttons{};
  std::array<std::uint8_t, kButtonCount> previousButtons{};
  std::int32_t cursorX = 0;
  std::int32_t cursorY = 0;
};

}  // namespace ie
