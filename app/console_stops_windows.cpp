// The console's stop events.
#include "app/console_stops_windows.h"

#include <windows.h>

#include <atomic>

#include "app/game_window_win32.h"
#include "app/shutdown_win32.h"

namespace {

std::atomic<bool> stopRequested{false};

// Never destroyed: the handler's thread may still wait on it while the process exits.
CRITICAL_SECTION& startGuard() {
  static CRITICAL_SECTION* section = [] {
    auto* made = new CRITICAL_SECTION;
    InitializeCriticalSection(made);
    return made;
  }();
  return *section;
}

BOOL WINAPI onConsoleStop(DWORD event) {
  switch (event) {
    case CTRL_C_EVENT:
    case CTRL_BREAK_EVENT:
    case CTRL_CLOSE_EVENT:
      break;
    default:
      return FALSE;  // log-off and system shutdown: the system's own handling
  }
  // The first request is already being handled (or the program hangs in it): the system's
  // default handler ends the process.
  if (stopRequested.exchange(true)) return FALSE;
  EnterCriticalSection(&startGuard());
  HWND window = GameWindow();
  if (window == nullptr) ShutdownBeforeGameThread();
  LeaveCriticalSection(&startGuard());
  PostMessageW(window, WM_CLOSE, 0, 0);
  // Returning would let the system end the process (at once for a closed console) before the
  // window's thread has shut the game down; the process ends in Shutdown meanwhile.
  for (;;) Sleep(INFINITE);
}

}  // namespace

void CatchConsoleStops() {
  startGuard();
  SetConsoleCtrlHandler(onConsoleStop, TRUE);
}

ConsoleStopsDeferred::ConsoleStopsDeferred() { EnterCriticalSection(&startGuard()); }

ConsoleStopsDeferred::~ConsoleStopsDeferred() { LeaveCriticalSection(&startGuard()); }
