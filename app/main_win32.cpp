// Varnelle's entry on Windows: the console, the full-screen question, the window, the game thread
// and the message loop. The program ends in Shutdown, never by returning from main.
#include <windows.h>
#include <process.h>

#include <cstdio>

#include "app/console.h"
#include "app/console_stops_windows.h"
#include "app/game_thread_win32.h"
#include "app/game_window_win32.h"
#include "app/message_loop_win32.h"
#include "app/program_globals.h"
#include "app/shell_lock_win32.h"
#include "app/shutdown_win32.h"

namespace {

// A yes/no question with no owner window; anything but "Yes" (the box closed, Escape) is "No".
bool askFullscreen() {
  return MessageBoxW(nullptr, L"Fullscreen?", L"Varnelle", MB_YESNO | MB_ICONQUESTION) == IDYES;
}

// How the program's starter asked for its window to be shown (a shortcut's "Run: Minimised").
int startupShowCommand() {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  GetStartupInfoW(&startup);
  return (startup.dwFlags & STARTF_USESHOWWINDOW) != 0 ? startup.wShowWindow : SW_SHOWNORMAL;
}

}  // namespace

int main() {
  CatchConsoleStops();
  PrepareConsole();

  fullscreen = askFullscreen();

  {
    const ConsoleStopsDeferred startingTheGame;
    HWND window = ShowGameWindow(startupShowCommand());
    if (window == nullptr) return 1;

    // Taken before the game thread exists, so that no frame runs until the message loop waits.
    LockShell();
    // The thread's handle is not kept; it is never joined, as the process ends in Shutdown.
    if (_beginthread(GameThread, 0, window) == static_cast<uintptr_t>(-1)) {
      std::fprintf(stderr, "Cannot start the game thread\n");
      return 1;
    }
  }

  RunMessageLoop();
  Shutdown(nullptr, nullptr);
}
