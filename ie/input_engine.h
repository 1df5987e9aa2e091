// The input engine interface: mouse and keyboard sampled once per frame, with the previous sample
// kept so that presses and releases can be told apart from held states.
#pragma once

#include <cstdint>

namespace ie {

class XInputEngine {
 public:
  virtual void Update() = 0;
  virtual bool KeyChanged(std::int32_t key, bool wasDown, bool isDown) const = 0;
  virtual bool KeyWasDown(std::int32_t key) const = 0;
  virtual bool KeyDown(std::int32_t key) const = 0;
  virtual std::int32_t MouseX() const = 0;
  virtual std::int32_t MouseY() const = 0;
  virtual bool ButtonChanged(std::int32_t button, bool wasDown, bool isDown) const = 0;
  virtual bool ButtonWasDown(std::int32_t button) const = 0;
  virtual bool ButtonDown(std::int32_t button) const = 0;
  // Current and previous key states become all released; the mouse is left alone.
  virtual void ClearKeys() = 0;

 protected:
  // Engines are destroyed through their concrete type.
  ~XInputEngine() = default;
};

}  // namespace ie
