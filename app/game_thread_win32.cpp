// The Windows game thread. Start-up runs outside the shell lock, step by step, asking the start-up
// gate between steps whether a shutdown has come meanwhile (app/startup_gate.h); each frame then
// runs wholly inside the shell lock, so the window's close and Escape never land in the middle of
// one. A lost Direct3D device is recovered between frames, outside the lock, since Reset sends
// messages to the window's thread.
#include "app/game_thread_win32.h"

#include <windows.h>
#include <mmsystem.h>

#include "app/frame_clock.h"
#include "app/game_frame.h"
#include "app/game_window_win32.h"
#include "app/program_globals.h"
#include "app/shell_lock_win32.h"
#include "app/shutdown_win32.h"
#include "app/startup_steps.h"
#include "app/window_exposure.h"
#include "game/game_globals.h"
#include "ge/graphic_engine_d3d9c.h"
#include "ge/still_frame_skipper.h"
#include "ie/input_engine_dinput8.h"
#include "se/sound_engine_dsound.h"

namespace {

// How long the game thread waits before it asks again whether a lost device can be reset.
constexpr DWORD kLostDeviceWaitMilliseconds = 50;

// Music track 0, converted from the system's ANSI code page into the wide form the sound engine
// keeps: the 17 characters and the terminating NUL into a buffer of 256.
void storeMusicFileName() {
  wchar_t name[256] = {};
  MultiByteToWideChar(CP_ACP, 0, "../music/main.mp3", 18, name, 256);
  soundEngine->musicFiles[0] = name;
}

// True when the device can draw this frame. Outside the shell lock; Shutdown stops recovery for
// good before it destroys the engines.
bool recoverDevice() {
  LockDeviceRecovery();
  const bool ready = graphicEngine->RecoverLostDevice();
  UnlockDeviceRecovery();
  return ready;
}

[[noreturn]] void runFrameLoop(HWND window) {
  const FrameEngines engines{*graphicAdapter, *inputEngine, *soundEngine};
  PlayedGame playedGame(*game);
  FramePlatform platform;
  // Still holding the shell lock, so the main thread stays out of the window meanwhile.
  platform.gameAskedToEnd = [] { Shutdown(nullptr, nullptr); };
  platform.beforeEndFrame = PresentAgainWhenExposed(windowExposed, *stillFrameSkipper);
  for (;;) {
    WaitForFrameTime();
    if (!recoverDevice()) {
      Sleep(kLostDeviceWaitMilliseconds);
      continue;
    }
    LockShell();
    MarkFrameStart();
    platform.windowHasFocus = GameWindowHasFocus(window);
    RunGameFrame(engines, playedGame, platform);
    const bool presented = !stillFrameSkipper->LastFrameSkipped();
    UnlockShell();
    // Nothing for the message loop to do after a still frame: its thread sleeps on.
    if (presented) WakeMessageLoop(window);
  }
}

// Start-up on Windows: Direct3D 9, DirectInput 8 and DirectSound on the game window.
bool runStartup(HWND window) {
  PlatformStartup platform;
  platform.makeGraphicEngine = [window]() -> ge::XGraphicEngineAccess& {
    graphicEngine = new ge::GraphicEngineD3D9c(window, !fullscreen);
    return *graphicEngine;
  };
  platform.makeInputEngine = [window]() -> ie::XInputEngine& {
    inputEngineDInput8 = new ie::InputEngineDInput8(window);
    return *inputEngineDInput8;
  };
  platform.makeSoundEngine = [window]() -> se::XSoundEngine& {
    soundEngine = new se::ZSoundEngineDSound(window);
    return *soundEngine;
  };
  platform.storeMusicFileName = storeMusicFileName;
  return RunStartup(platform);
}

// A stopped start-up leaves the thread here while Shutdown destroys the engines and ends the
// process on the main thread.
[[noreturn]] void waitForProcessEnd() {
  for (;;) Sleep(INFINITE);
}

}  // namespace

void __cdecl GameThread(void* window) {
  // The limiter sleeps a millisecond at a time; the system's default timer period would make each
  // Sleep(1) a scheduler tick (15.6 ms) and the game run at some 30 frames a second.
  timeBeginPeriod(1);
  HWND handle = static_cast<HWND>(window);
  if (!runStartup(handle)) waitForProcessEnd();
  runFrameLoop(handle);
}
