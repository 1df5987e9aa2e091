#include "ie/button_messages_win32.h"

#include <windows.h>
#include <windowsx.h>

#include "ie/button_press_log.h"

namespace ie {

namespace {

constexpr WPARAM kAnyButton = MK_LBUTTON | MK_RBUTTON | MK_MBUTTON | MK_XBUTTON1 | MK_XBUTTON2;

struct ButtonMessage {
  int button;  // the engine's number, −1 for a button the game does not read
  bool press;
};

// A button message's button and direction; button −2 for any other message.
ButtonMessage buttonMessage(UINT message, WPARAM wParam) {
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: return {0, true};
    case WM_LBUTTONUP: return {0, false};
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK: return {1, true};
    case WM_RBUTTONUP: return {1, false};
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK: return {2, true};
    case WM_MBUTTONUP: return {2, false};
    case WM_XBUTTONDOWN:
    case WM_XBUTTONDBLCLK: return {GET_XBUTTON_WPARAM(wParam) == XBUTTON1 ? 3 : -1, true};
    case WM_XBUTTONUP: return {GET_XBUTTON_WPARAM(wParam) == XBUTTON1 ? 3 : -1, false};
    default: return {-2, false};
  }
}

}  // namespace

void RecordButtonMessage(HWND__* window, unsigned message, std::uintptr_t wParam, std::intptr_t lParam) {
  const ButtonMessage seen = buttonMessage(message, wParam);
  if (seen.button == -2) return;
  // Client pixels, negative left of and above the client area while the mouse is captured.
  const int x = GET_X_LPARAM(lParam);
  const int y = GET_Y_LPARAM(lParam);
  if (seen.press) {
    if (seen.button >= 0) RecordButtonPress(seen.button, x, y);
    SetCapture(window);
    return;
  }
  if (seen.button >= 0) RecordButtonRelease(seen.button, x, y);
  // The flags tell the buttons still down after this release.
  if ((wParam & kAnyButton) == 0 && GetCapture() == window) ReleaseCapture();
}

}  // namespace ie
