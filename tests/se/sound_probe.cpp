// A child process for the sound engine tests: builds the engine the way the game does (on Windows
// on a window of its own), so that the tests can watch the fatal errors end a process.
//   PROBE device       opens the sound device (and, on Windows, the music's graph) and closes it
//   PROBE music FILE   also plays FILE as music track 0 and updates it for a few frames
#include <cstdio>
#include <cstring>
#include <string>

#include "se/music_file_name.h"

#ifdef _WIN32
#include <windows.h>

#include "se/sound_engine_dsound.h"

namespace {

using Engine = se::ZSoundEngineDSound;

// A message-only window to own the sound device's co-operation level: it needs no display.
HWND window = nullptr;

Engine* makeEngine() {
  WNDCLASSA description{};
  description.lpfnWndProc = DefWindowProcA;
  description.hInstance = GetModuleHandleA(nullptr);
  description.lpszClassName = "VarnelleSoundProbe";
  RegisterClassA(&description);
  window = CreateWindowA("VarnelleSoundProbe", "sound probe", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                         GetModuleHandleA(nullptr), nullptr);
  if (window == nullptr) {
    std::fprintf(stderr, "no window for the sound device\n");
    return nullptr;
  }
  return new Engine(window);
}

void closeEngine(Engine* engine) {
  delete engine;
  DestroyWindow(window);
}

}  // namespace
#else
#include "se/sound_engine_openal.h"

namespace {

using Engine = se::ZSoundEngineOpenAL;

Engine* makeEngine() { return new Engine(); }
void closeEngine(Engine* engine) { delete engine; }

}  // namespace
#endif

int main(int argumentCount, char** arguments) {
  const bool music = argumentCount == 3 && std::strcmp(arguments[1], "music") == 0;
  const bool device = argumentCount == 2 && std::strcmp(arguments[1], "device") == 0;
  if (!music && !device) {
    std::fprintf(stderr, "usage: %s device | music FILE\n", arguments[0]);
    return 2;
  }
  Engine* engine = makeEngine();
  if (engine == nullptr) return 2;
  if (music) {
    if (!se::WidenFileName(arguments[2], engine->musicFiles[0])) {
      std::fprintf(stderr, "the file name is not valid in this locale\n");
      return 2;
    }
    engine->PlayMusic(0, 1.0f, true);
    for (int frame = 0; frame < 3; ++frame) engine->Update();
  }
  closeEngine(engine);
  return 0;
}
