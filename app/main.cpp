// Varnelle's entry: the console, the full-screen question, the window, the game thread and the
// toolkit's event loop. The program ends in Shutdown, never by returning from main.
#include <FL/Fl.H>
#include <FL/fl_ask.H>
#include <FL/x.H>
#include <X11/Xlib.h>
#include <malloc.h>

#include <cstdio>
#include <cstdlib>
#include <system_error>
#include <thread>

#include "app/console.h"
#include "app/frame_stats.h"
#include "app/game_thread.h"
#include "app/game_window.h"
#include "app/lost_display.h"
#include "app/program_globals.h"
#include "app/shutdown.h"
#include "app/standard_descriptors.h"
#include "app/stop_signals.h"
#include "app/window_handle_x11.h"
#include "base/display_geometry.h"
#include "ge/egl_context.h"

namespace {

bool gameThreadStarted = false;  // main thread only

// A stop signal: before the game thread exists nothing is built yet; afterwards the same end as
// a window close, start-up in progress included.
void endOnStopSignal() {
  if (!gameThreadStarted) ShutdownBeforeGameThread();
  Shutdown(nullptr, nullptr);
}

}  // namespace

int main(int argc, char** argv) {
  OpenStandardDescriptors();
  CatchStopSignals();

  // A software-rendered frame allocates and frees about 1.4 MB inside the GL driver; with the
  // default thresholds the allocator hands those pages back to the system after every frame and
  // faults them in again on the next (about 5 % of a core). Keep up to 16 MB of free memory.
  mallopt(M_MMAP_THRESHOLD, 4 * 1024 * 1024);
  mallopt(M_TRIM_THRESHOLD, 16 * 1024 * 1024);

  // Mesa's software rasteriser, when it is the driver, draws on the calling thread instead of
  // handing each frame to worker threads: the game's small frames cost less in all without the
  // hand-over (about 2 % of a core under Xvfb). A value the user set is kept; hardware drivers
  // ignore it. Set here, before any other thread exists, since the environment is not safe to
  // change while another thread may read it.
  setenv("LP_NUM_THREADS", "0", 0);
  // For the same reason the software rasteriser is chosen here, not by the game thread's engine,
  // when the graphics hardware's driver cannot give the engine its context.
  ge::EglContext::ChooseDriverBeforeThreadsStart();

  // Both threads talk to X (the toolkit here, the engines on their own connections there).
  XInitThreads();

  PrepareConsole();

  // The display is opened here rather than by the question, so that a lost connection ends the
  // program through the event log from the first moment on.
  fl_open_display();
  EndOnLostDisplay();
  WatchStopSignals(endOnStopSignal);

  Fl::scheme("plastic");
  // fl_choice lays its buttons out right to left: 1 is "Yes". Closing the dialog gives 0, "No".
  fullscreen = fl_choice("Fullscreen?", "No", "Yes", nullptr) == 1;
  RecordQuestionAnswered();

  auto* window = new GameWindow(0, 10, display::kBackBufferWidth, display::kBackBufferHeight, "Varnelle");
  window->end();
  window->show(argc, argv);
  window->position(20, 20);
  window->callback(Shutdown);
  // Full screen: the window covers the screen and the graphic engine fits the back buffer's picture
  // into it; the display mode is never changed. Done before the window's handle is read, since
  // without a window manager the toolkit recreates the window for it.
  if (fullscreen) window->fullscreen();
  const unsigned long nativeWindow = WindowHandleForOtherConnections(window);

  // The first lock also makes this the toolkit's main thread. The event loop releases the lock
  // only while it waits for events, so each game frame runs between two dispatches.
  Fl::lock();

  // Never joined: main does not return, the process ends in Shutdown's exit, and this object
  // (still joinable) is never destroyed.
  std::thread gameThread;
  try {
    const StopSignalsBlocked onlyTheMainThreadTakesStopSignals;
    gameThread = std::thread(GameThread, static_cast<Fl_Window*>(window), nativeWindow);
  } catch (const std::system_error& error) {
    std::fprintf(stderr, "Cannot start the game thread: %s\n", error.what());
    return 1;
  }
  gameThreadStarted = true;

  Fl::run();
  Shutdown(nullptr, nullptr);
}
