// Shutdown, and how it meets a start-up still in progress.
//
// The game thread builds the engines outside the toolkit lock, so a close or Escape may come
// while it is half-way. Shutdown then asks the start-up gate to stop and waits until the game
// thread has finished the step it is on and stopped; only then does it destroy what was built.
// The wait happens with the toolkit lock released: the main thread holds that lock while it
// dispatches the callback, and waiting for another thread while holding it invites a deadlock as
// soon as any start-up step needs the toolkit. While the lock is released the main thread is
// blocked here, so no other callback runs, and the game thread will not take the lock: it never
// reaches the frame loop once a stop has been asked for.
//
// Once the frame loop runs, no wait is needed: Shutdown always holds the toolkit lock, and the
// game thread touches the engines only inside it. On the main thread the game thread is then
// waiting for its frame time or for the lock, and never runs again before the process exits; on
// the game thread (the game asked to end) the main thread is kept out of the toolkit.
#include "app/shutdown.h"

#include <FL/Fl.H>

#include <cstdio>
#include <cstdlib>

#include "app/console.h"
#include "app/frame_stats.h"
#include "app/program_globals.h"
#include "app/startup_gate.h"
#include "ge/graphic_engine_gl.h"
#include "ie/input_engine_x11.h"
#include "se/sound_engine_openal.h"

namespace {

// The common tail: "goodbye" and the process exit with code 0.
[[noreturn]] void sayGoodbyeAndExit();

}  // namespace

void Shutdown(Fl_Widget*, void*) {
  StartupGate& gate = SharedStartupGate();
  // Only the main thread can find start-up in progress: the game thread calls Shutdown from its
  // frame loop alone.
  if (gate.RequestStop()) {
    Fl::unlock();
    gate.WaitUntilSettled();
    Fl::lock();
  }

  // Through the concrete types: the engine interfaces have no virtual destructor.
  if (graphicEngine != nullptr) delete graphicEngine;
  if (inputEngineX11 != nullptr) delete inputEngineX11;
  if (soundEngine != nullptr) delete soundEngine;

  sayGoodbyeAndExit();
}

void ShutdownBeforeGameThread() { sayGoodbyeAndExit(); }

namespace {

void sayGoodbyeAndExit() {
  PrintFrameStats(stdout);
  std::fputs("goodbye\n", stdout);
  RestoreConsole();
  std::fflush(stdout);
  // exit, not a return from main: the game thread is still blocked, and its thread object in
  // main is never destroyed (a joinable one would end the process with std::terminate).
  std::exit(0);
}

}  // namespace
