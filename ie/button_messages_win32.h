// The game window's mouse-button messages, recorded for the input engine (ie/button_press_log.h)
// with where in the window they happened: DirectInput's device state knows neither a press
// released before the next sample nor where a press was made, and the pointer may have moved on
// by then. The window procedure passes every message here before its own handling.
//
// A press also captures the mouse until the last button is up, so that a release outside the
// window still comes to it, with its place, as on X11.
#pragma once

#include <cstdint>

struct HWND__;  // Windows' window handle, kept out of this header

namespace ie {

// Records the presses and releases of buttons 0 left, 1 right, 2 middle and 3 the first side
// button ("back"); every other message is let through untouched.
void RecordButtonMessage(HWND__* window, unsigned message, std::uintptr_t wParam, std::intptr_t lParam);

}  // namespace ie
