// The input engine on Windows: DirectInput 8's system mouse and keyboard for the buttons and keys,
// the window system's cursor for the pointer.
//
// Supports: the cursor from GetCursorPos and ScreenToClient, mapped back through the same fit as the
// picture (base/display_geometry.h) into back-buffer pixels (a back-buffer-sized client area maps one
// to one; beyond the picture it reads outside that range, negative left of and above it); buttons
// 0 left, 1 right, 2 middle, 3 a fourth button; keys by DirectInput scan code (DIK_ codes). Both
// devices are non-exclusive and background: they report whether or not the window is active, and
// the main loop clears the keys while the window lacks the keyboard focus.
// A click never goes unseen and lands where it was made: the window procedure records its button
// messages with their places (ie/button_messages_win32.h), and they are latched with the device's
// button state (ie/recorded_buttons.h) exactly as the X11 engine latches the toolkit's records.
// Does not: re-acquire a lost device, use the mouse's relative movement, buffer the keys (a key
// tapped within one frame is missed; the game uses no key but Escape, which the window handles).
//
// Every failure is fatal through the event log (tag "IE").
#pragma once

#include <cstdint>

#include "ie/input_state.h"
#include "ie/recorded_buttons.h"

// Windows' own types, kept out of this header.
struct HWND__;
struct IDirectInput8A;
struct IDirectInputDevice8A;

namespace ie {

class InputEngineDInput8 final : public ZInputStateEngine {
 public:
  // Creates and acquires both devices for `window`, the game window (top level).
  explicit InputEngineDInput8(HWND__* window);
  ~InputEngineDInput8();
  InputEngineDInput8(const InputEngineDInput8&) = delete;
  InputEngineDInput8& operator=(const InputEngineDInput8&) = delete;

  void Update() override;

  // DirectInput's standard mouse record (c_dfDIMouse): three axis movements, then 4 button bytes.
  struct MouseState {
    std::int32_t x, y, wheel;
    std::uint8_t buttons[kButtonCount];
  };

 private:
  // The cursor, then the buttons, reported where the window saw a press or release happen when
  // it did.
  void ReadMouse();
  void ReadKeyboard();

  HWND__* window;
  IDirectInput8A* directInput = nullptr;
  IDirectInputDevice8A* mouse = nullptr;
  IDirectInputDevice8A* keyboard = nullptr;
  // The latest device state; the buttons the game sees (and their previous sample) are the shared
  // state's, after the latch.
  MouseState mouseState{};
  RecordedButtons recordedButtons{RecordedButtons::PointerSource::kMayLagRecords};
};

}  // namespace ie
