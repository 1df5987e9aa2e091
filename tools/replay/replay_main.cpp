// varnelle-replay: runs the real game without a window, frame by frame, on a script of mouse
// moves and clicks, and prints its state or writes screenshots along the way.
//
// Each frame is the game's own: input Update, BeginFrame, sound Update, Clear to black, updateGame,
// drawGame, EndFrame, through the OpenGL engine on surfaceless EGL with the game's five textures.
// The sound engine is the silent one: the music is started as in the game, and nothing is heard.
// Run it from the build folder so that "../data/" is found. Dumps go to standard output; the
// engines' log lines and every complaint go to the error stream.
//
// Exit codes: 0 after the last line; 2 for a script that cannot be read (nothing runs then);
// 1 when a screenshot cannot be written or an engine fails.
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "app/game_pictures_loader.h"
#include "base/cp1251.h"
#include "game/draw_game.h"
#include "game/game.h"
#include "game/game_globals.h"
#include "game/update_game.h"
#include "ge/graphic_engine_adapter.h"
#include "ge/graphic_engine_gl.h"
#include "ie/input_engine_scripted.h"
#include "se/sound_engine_silent.h"
#include "support/png_file.h"
#include "tools/replay/replay_dump.h"
#include "tools/replay/replay_script.h"

namespace {

constexpr int kScriptError = 2;
constexpr int kRunError = 1;

// Kept to the process exit (see Replay::Finish).
ge::GraphicEngineGL* engine = nullptr;

class Replay {
 public:
  explicit Replay(std::FILE* dumps) : dumps(dumps) {}

  void Start() {
    engine = ge::GraphicEngineGL::CreateHeadless();
    adapter = std::make_unique<ge::ZGraphicEngineAdapter>(engine);
    graphicAdapter = adapter.get();

    // The game's own start: the loading frame, then the input, the textures, the game and its music.
    adapter->BeginFrame();
    adapter->Clear(0.0f, 0.0f, 0.0f);
    adapter->DrawText(50.0f, 0.0f, "Загрузка..."_cp1251, 0.0f, 1.0f, 0.0f, 0.92f);
    adapter->EndFrame();

    inputEngine = &input;
    LoadGamePictures(*engine, "../data/");
    gameObject = std::make_unique<Game>();
    game = gameObject.get();
    sound.PlayMusic(0, 1.0f, true);
  }

  // Returns false, having said why, when the run cannot go on.
  bool Perform(const replay::Step& step) {
    switch (step.action) {
      case replay::Action::Wait:
        for (std::int32_t i = 0; i < step.frames; ++i) RunFrame();
        return true;
      case replay::Action::Move:
        // Logical coordinates; the engine reports back-buffer pixels, two to a logical pixel.
        input.SetPointer(2 * step.x, 2 * step.y);
        return true;
      case replay::Action::Press:
      case replay::Action::Release:
        input.SetButton(step.button, step.action == replay::Action::Press);
        return true;
      case replay::Action::Dump: {
        const std::string dump = replay::DumpGame(*gameObject);
        std::fputs(dump.c_str(), dumps);
        std::fflush(dumps);
        return true;
      }
      case replay::Action::Shot:
        return WriteShot(step);
    }
    return true;
  }

  // The engine is left to the process exit, as the game's adapter is: tearing the OpenGL
  // driver down unloads it, and the few allocations it never frees would then be reported by
  // the leak checker with no library left to name.
  void Finish() { std::fflush(dumps); }

 private:
  void RunFrame() {
    input.Update();
    adapter->BeginFrame();
    sound.Update();
    adapter->Clear(0.0f, 0.0f, 0.0f);
    updateGame();
    drawGame();
    adapter->EndFrame();
  }

  bool WriteShot(const replay::Step& step) {
    std::vector<std::uint8_t> rgb;
    engine->ReadBackBuffer(rgb);
    std::string error;
    if (!WritePng(step.file, ge::GraphicEngineGL::kBackBufferWidth, ge::GraphicEngineGL::kBackBufferHeight, rgb,
                  error)) {
      std::fprintf(stderr, "replay: line %d: cannot write '%s': %s\n", step.line, step.file.c_str(), error.c_str());
      return false;
    }
    return true;
  }

  std::FILE* dumps;
  std::unique_ptr<ge::ZGraphicEngineAdapter> adapter;
  ie::ScriptedInputEngine input;
  se::SilentSoundEngine sound;
  std::unique_ptr<Game> gameObject;
};

bool readScript(const std::string& name, std::vector<replay::Step>& steps) {
  replay::ParseError error;
  bool parsed = false;
  if (name == "-") {
    parsed = replay::ParseScript(std::cin, steps, error);
  } else {
    std::ifstream file(name, std::ios::binary);
    if (!file) {
      std::fprintf(stderr, "replay: cannot open the script '%s': %s\n", name.c_str(), std::strerror(errno));
      return false;
    }
    parsed = replay::ParseScript(file, steps, error);
  }
  if (!parsed) {
    const std::string shownName = name == "-" ? "standard input" : name;
    if (error.line > 0) {
      std::fprintf(stderr, "replay: %s:%d: %s\n", shownName.c_str(), error.line, error.message.c_str());
    } else {
      std::fprintf(stderr, "replay: %s: %s\n", shownName.c_str(), error.message.c_str());
    }
  }
  return parsed;
}

}  // namespace

int main(int argumentCount, char** arguments) {
  if (argumentCount != 2) {
    std::fprintf(stderr,
                 "usage: varnelle-replay SCRIPT   (or - to read the script from standard input)\n"
                 "Run it from the build folder, so that ../data/ holds the game's pictures.\n");
    return kScriptError;
  }
  std::vector<replay::Step> steps;
  if (!readScript(arguments[1], steps)) return kScriptError;

  // Standard output carries the dumps alone; the engines' log lines go to the error stream.
  std::fflush(stdout);
  const int dumpDescriptor = dup(STDOUT_FILENO);
  std::FILE* dumps = dumpDescriptor >= 0 ? fdopen(dumpDescriptor, "w") : nullptr;
  if (dumps == nullptr || dup2(STDERR_FILENO, STDOUT_FILENO) < 0) {
    std::fprintf(stderr, "replay: cannot set up the output: %s\n", std::strerror(errno));
    return kRunError;
  }

  Replay replay(dumps);
  replay.Start();
  int status = 0;
  for (const replay::Step& step : steps) {
    if (!replay.Perform(step)) {
      status = kRunError;
      break;
    }
  }
  replay.Finish();
  std::fclose(dumps);
  return status;
}
