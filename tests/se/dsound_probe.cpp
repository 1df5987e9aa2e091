// A child process for the DirectSound engine's tests: builds the engine the way the game does, on
// a window of its own, so that the tests can watch the fatal errors end a process.
//   se_dsound_probe device       opens the sound device and the music's graph and closes them
//   se_dsound_probe music FILE   also plays FILE as music track 0 and updates it for a few frames
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "se/music_file_name.h"
#include "se/sound_engine_dsound.h"

namespace {

// A message-only window to own the sound device's co-operation level: it needs no display.
HWND createWindow() {
  WNDCLASSA description{};
  description.lpfnWndProc = DefWindowProcA;
  description.hInstance = GetModuleHandleA(nullptr);
  description.lpszClassName = "VarnelleSoundProbe";
  RegisterClassA(&description);
  return CreateWindowA("VarnelleSoundProbe", "sound probe", 0, 0, 0, 0, 0, HWND_MESSAGE,
                       nullptr, GetModuleHandleA(nullptr), nullptr);
}

}  // namespace

int main(int argumentCount, char** arguments) {
  const bool music = argumentCount == 3 && std::strcmp(arguments[1], "music") == 0;
  const bool device = argumentCount == 2 && std::strcmp(arguments[1], "device") == 0;
  if (!music && !device) {
    std::fprintf(stderr, "usage: se_dsound_probe device | music FILE\n");
    return 2;
  }
  HWND window = createWindow();
  if (window == nullptr) {
    std::fprintf(stderr, "no window for the sound device\n");
    return 2;
  }
  auto* engine = new se::ZSoundEngineDSound(window);
  if (music) {
    if (!se::WidenFileName(arguments[2], engine->musicFiles[0])) {
      std::fprintf(stderr, "the file name is not valid in this locale\n");
      return 2;
    }
    engine->PlayMusic(0, 1.0f, true);
    for (int frame = 0; frame < 3; ++frame) {
      engine->Update();
    }
  }
  delete engine;
  DestroyWindow(window);
  return 0;
}
