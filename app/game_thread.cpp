// The game thread. Start-up runs outside the toolkit lock, step by step, asking the start-up
// gate between steps whether a shutdown has come meanwhile (app/startup_gate.h); each frame then
// runs wholly inside the toolkit lock, so the window callback never lands in the middle of one.
#include "app/game_thread.h"

#include <chrono>
#include <thread>

#include <FL/Fl.H>
#include <FL/Fl_Window.H>

#include "app/frame_clock.h"
#include "app/frame_stats.h"
#include "app/game_frame.h"
#include "app/program_globals.h"
#include "app/shutdown.h"
#include "app/startup_steps.h"
#include "app/window_exposure.h"
#include "game/game_globals.h"
#include "ge/graphic_engine_gl.h"
#include "ge/still_frame_skipper.h"
#include "ie/input_engine_x11.h"
#include "se/music_file_name.h"
#include "se/sound_engine_openal.h"

namespace {

// Music track 0, in the wide form the sound engine keeps, converted by the program's locale as
// the system code page would. The name is plain ASCII, so the conversion cannot fail; if it ever
// did, the name stays empty and starting the music reports the error.
void storeMusicFileName() { se::WidenFileName("../music/main.mp3", soundEngine->musicFiles[0]); }

// What the window adds to each frame: the focus is read per frame, the rest is set once.
FramePlatform windowPlatform() {
  FramePlatform platform;
  platform.beforeEndFrame = PresentAgainWhenExposed(windowExposed, *stillFrameSkipper);
  // Still holding the toolkit lock, so the main thread stays out of the toolkit meanwhile.
  platform.gameAskedToEnd = [] { Shutdown(nullptr, nullptr); };
  return platform;
}

// True when the frame was presented; a still frame leaves the window as it was.
bool runFrame(Fl_Window* window, const FrameEngines& engines, PlayedGame& playedGame, FramePlatform& platform) {
  MarkFrameStart();
  RecordFrameStart();
  platform.windowHasFocus = Fl::focus() == window;
  RunGameFrame(engines, playedGame, platform);
  RecordFramePresented();
  if (stillFrameSkipper->LastFrameSkipped()) return false;
  window->redraw();
  return true;
}

[[noreturn]] void runFrameLoop(Fl_Window* window) {
  const FrameEngines engines{*graphicAdapter, *inputEngine, *soundEngine};
  PlayedGame playedGame(*game);
  FramePlatform platform = windowPlatform();
  for (;;) {
    WaitForFrameTime();
    Fl::lock();
    const bool presented = runFrame(window, engines, playedGame, platform);
    Fl::unlock();
    // Nothing for the toolkit to do after a still frame: its thread sleeps on.
    if (presented) Fl::awake(static_cast<void*>(window));
  }
}

// Start-up on Linux: OpenGL, X11 and OpenAL on the game window.
bool runStartup(unsigned long nativeWindow) {
  PlatformStartup platform;
  platform.makeGraphicEngine = [nativeWindow]() -> ge::XGraphicEngineAccess& {
    graphicEngine = new ge::GraphicEngineGL(nativeWindow, !fullscreen);
    return *graphicEngine;
  };
  platform.loadingFrameShown = RecordLoadingFramePresented;
  platform.makeInputEngine = [nativeWindow]() -> ie::XInputEngine& {
    inputEngineX11 = new ie::InputEngineX11(nativeWindow);
    return *inputEngineX11;
  };
  platform.makeSoundEngine = []() -> se::XSoundEngine& {
    soundEngine = new se::ZSoundEngineOpenAL();
    return *soundEngine;
  };
  platform.storeMusicFileName = storeMusicFileName;
  return RunStartup(platform);
}

// A stopped start-up leaves the thread here while Shutdown destroys the engines and ends the
// process on the main thread. Returning instead would run this thread's exit (the GL driver's
// per-thread clean-up among it) at the same time as the process exit, which corrupted the heap.
// So the thread waits for the end, as a running game's thread does when it waits for the lock.
[[noreturn]] void waitForProcessEnd() {
  for (;;) std::this_thread::sleep_for(std::chrono::hours(1));
}

}  // namespace

void GameThread(Fl_Window* window, unsigned long nativeWindow) {
  if (!runStartup(nativeWindow)) waitForProcessEnd();
  runFrameLoop(window);
}
