// What Alt+Tab back to the game does, for the Windows end-to-end tests: finds the game's window
// (its class is "Varnelle"), restores it if it was minimised and makes it the active window.
// Exit code 0 when done, 1 when the game has no window.
#include <windows.h>

#include <cstdio>

int main() {
  HWND window = FindWindowW(L"Varnelle", nullptr);
  if (window == nullptr) {
    std::fprintf(stderr, "windows_restore: the game has no window\n");
    return 1;
  }
  ShowWindow(window, SW_RESTORE);
  SetForegroundWindow(window);
  return 0;
}
