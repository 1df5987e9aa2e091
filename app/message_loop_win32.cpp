// The main thread's message loop.
#include "app/message_loop_win32.h"

#include <windows.h>

#include "app/shell_lock_win32.h"

void RunMessageLoop() {
  MSG message;
  for (;;) {
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) return;
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    // The wait is the only time the game thread can run a frame.
    UnlockShell();
    MsgWaitForMultipleObjectsEx(0, nullptr, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    LockShellAnsweringMessages();
  }
}
