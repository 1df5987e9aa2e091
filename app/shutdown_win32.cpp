// Shutdown on Windows, and how it meets a start-up still in progress or a device being recovered.
//
// The game thread builds the engines outside the shell lock, so a close or Escape may come while
// it is half-way. Shutdown then asks the start-up gate to stop and waits until the game thread has
// finished the step it is on. The wait happens with the shell lock released and answering the
// messages other threads send to the window: creating the Direct3D device sends the window's
// thread messages and waits for their answer, so a main thread that only waited would never see
// the game thread finish its step.
//
// Once the frame loop runs, Shutdown holds the shell lock, and the game thread touches the
// engines only inside it, except for recovering a lost device, which runs between frames outside
// the lock: Shutdown stops that too, again answering messages while it waits, as Reset sends some.
#include "app/shutdown_win32.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>

#include "app/console.h"
#include "app/program_globals.h"
#include "app/shell_lock_win32.h"
#include "app/startup_gate.h"
#include "ge/graphic_engine_d3d9c.h"
#include "ie/input_engine_dinput8.h"
#include "se/sound_engine_dsound.h"

namespace {

std::atomic<bool> shutdownStarted{false};

// The common tail: "goodbye" and the process exit with code 0.
[[noreturn]] void sayGoodbyeAndExit() {
  std::fputs("goodbye\n", stdout);
  RestoreConsole();
  std::fflush(stdout);
  // exit, not a return from main: the game thread may still be blocked on the shell lock.
  std::exit(0);
}

}  // namespace

void Shutdown(HWND__*, void*) {
  shutdownStarted = true;
  StartupGate& gate = SharedStartupGate();
  // Only the main thread can find start-up in progress: the game thread calls Shutdown from its
  // frame loop alone. Asked again, the gate says whether start-up is still going.
  if (gate.RequestStop()) {
    UnlockShell();
    while (gate.RequestStop()) AnswerSentMessages(5);
    LockShellAnsweringMessages();
  }
  StopDeviceRecovery();

  // Through the concrete types: the engine interfaces have no virtual destructor.
  if (graphicEngine != nullptr) delete graphicEngine;
  if (inputEngineDInput8 != nullptr) delete inputEngineDInput8;
  if (soundEngine != nullptr) delete soundEngine;

  sayGoodbyeAndExit();
}

bool ShutdownStarted() { return shutdownStarted; }

void ShutdownBeforeGameThread() { sayGoodbyeAndExit(); }
