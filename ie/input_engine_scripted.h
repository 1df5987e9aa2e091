// An input engine driven by its caller instead of a device: tests and the replay runner set the
// pointer, buttons and keys, and the next Update reports them, exactly as a sampled device would.
#pragma once

#include <array>
#include <cstdint>

#include "ie/input_state.h"

namespace ie {

class ScriptedInputEngine final : public ZInputStateEngine {
 public:
  // The set state becomes the current one; the current one becomes the previous one.
  void Update() override;

  // What the next Update reports. The pointer is in back-buffer pixels (logical × 2).
  // Out-of-range buttons and keys are ignored, as a device would never report them.
  void SetPointer(std::int32_t x, std::int32_t y);
  void SetButton(std::int32_t button, bool down);
  void SetKey(std::int32_t key, bool down);

 private:
  std::array<std::uint8_t, kKeyCount> nextKeys{};
  std::array<std::uint8_t, kButtonCount> nextButtons{};
  std::int32_t nextX = 0;
  std::int32_t nextY = 0;
};

}  // namespace ie
