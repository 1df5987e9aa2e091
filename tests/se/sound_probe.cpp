// A child process for the sound engine tests: builds the engine on the default output the way the
// game does, so that the tests can watch the fatal errors end a process.
//   se_fatal_probe device       opens the output and closes it again
//   se_fatal_probe music FILE   also plays FILE as music track 0 and updates it for a few frames
#include <cstdio>
#include <cstring>
#include <string>

#include "se/music_file_name.h"
#include "se/sound_engine_openal.h"

int main(int argumentCount, char** arguments) {
  const bool music = argumentCount == 3 && std::strcmp(arguments[1], "music") == 0;
  const bool device = argumentCount == 2 && std::strcmp(arguments[1], "device") == 0;
  if (!music && !device) {
    std::fprintf(stderr, "usage: se_fatal_probe device | music FILE\n");
    return 2;
  }
  auto* engine = new se::ZSoundEngineOpenAL();
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
  return 0;
}
