// varnelle-replay: runs the real game without a window, frame by frame, on a script of mouse
// moves and clicks, and prints its state or writes screenshots along the way.
//
// Each frame is the game's own (app/game_frame.h), through the OpenGL engine on surfaceless EGL
// with the game's five textures. The sound engine is the silent one: the music is started as in
// the game, and nothing is heard. Run it from the build folder so that "../data/" is found. Dumps
// go to standard output; the engines' log lines and every complaint go to the error stream.
//
// The script is checked whole before the first frame and then read again as it runs, so memory
// does not grow with its length; standard input is first copied to a temporary file for that.
//
// With --still-frames the game draws each frame once into a draw list, which is played into two
// engines: one draws every frame at full size, as the full loop does; the other goes through the
// still-frame skipper and keeps its back buffer at half size, as a window presenting through
// MIT-SHM does. After every frame the picture the skipper's engine last presented must equal the
// full loop's, byte for byte; the end prints "still frames: S of F skipped, back buffer at half
// size" (or "full size" when a draw made the second engine leave the half size).
//
// Exit codes: 0 after the last line; 2 for a script that cannot be read (nothing runs then);
// 1 when a screenshot cannot be written, an engine fails or the game asks to end.
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "app/game_frame.h"
#include "app/game_pictures_loader.h"
#include "base/display_geometry.h"
#include "game/game.h"
#include "game/game_globals.h"
#include "ge/draw_list.h"
#include "ge/graphic_engine_adapter.h"
#include "ge/graphic_engine_gl.h"
#include "ge/still_frame_skipper.h"
#include "ie/input_engine_scripted.h"
#include "se/sound_engine_silent.h"
#include "support/png_file.h"
#include "tools/replay/replay_dump.h"
#include "tools/replay/replay_script.h"

namespace {

constexpr int kScriptError = 2;
constexpr int kRunError = 1;

// Kept to the process exit (see Replay::Finish): the engine every frame is drawn by, and with
// --still-frames the one behind the still-frame skipper.
ge::GraphicEngineGL* engine = nullptr;
ge::GraphicEngineGL* skippingEngine = nullptr;

class Replay {
 public:
  Replay(std::FILE* dumps, bool checkStillFrames) : dumps(dumps), checkStillFrames(checkStillFrames) {}

  // False, having said why, when the first frame already fails the still-frame check.
  bool Start() {
    engine = ge::GraphicEngineGL::CreateHeadless();
    if (checkStillFrames) {
      skippingEngine = ge::GraphicEngineGL::CreateHeadless();
      // As a window of the back buffer's size presenting through MIT-SHM keeps it.
      skippingEngine->KeepBackBufferAtHalfSize();
      skipper = std::make_unique<ge::StillFrameSkipper>(*skippingEngine);
      adapter = std::make_unique<ge::ZGraphicEngineAdapter>(&frameCalls);
    } else {
      adapter = std::make_unique<ge::ZGraphicEngineAdapter>(engine);
    }
    graphicAdapter = adapter.get();

    // The game's own start: the loading frame, then the input, the textures, the game and its music.
    ShowLoadingFrame(*adapter);
    if (checkStillFrames && !playFrame()) return false;

    inputEngine = &input;
    LoadGamePictures(*engine, "../data/");
    if (checkStillFrames) {
      skippingEngine->MakeCurrentHere();
      LoadGamePictures(*skippingEngine, "../data/");
      engine->MakeCurrentHere();
    }
    gameObject = std::make_unique<Game>();
    game = gameObject.get();
    sound.PlayMusic(0, 1.0f, true);
    return true;
  }

  // Returns false, having said why, when the run cannot go on.
  bool Perform(const replay::Step& step) {
    switch (step.action) {
      case replay::Action::Wait:
        for (std::int32_t i = 0; i < step.frames; ++i) {
          if (!RunFrame()) return false;
        }
        return true;
      case replay::Action::Move:
        // Logical coordinates; the engine reports back-buffer pixels, two to a logical pixel.
        input.SetPointer(display::ToBackBuffer(step.x), display::ToBackBuffer(step.y));
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
  void Finish() {
    if (checkStillFrames) {
      std::fprintf(dumps, "still frames: %lld of %lld skipped, back buffer at %s size\n",
                   static_cast<long long>(skipper->SkippedFrames()), static_cast<long long>(frameCount),
                   skippingEngine->BackBufferAtHalfSize() ? "half" : "full");
    }
    std::fflush(dumps);
  }

 private:
  bool RunFrame() {
    PlayedGame played(*gameObject);
    if (!RunGameFrame({*adapter, input, sound}, played)) {
      std::fprintf(stderr, "replay: the game asked to end before the script did\n");
      return false;
    }
    return !checkStillFrames || playFrame();
  }

  // Plays the frame's calls into both engines and compares what each window would show now.
  bool playFrame() {
    ++frameCount;
    engine->MakeCurrentHere();
    engine->BeginFrame();
    frameCalls.Replay(*engine);
    engine->EndFrame();
    engine->ReadBackBuffer(fullPicture);

    skippingEngine->MakeCurrentHere();
    skipper->BeginFrame();
    frameCalls.Replay(*skipper);
    skipper->EndFrame();
    skippingEngine->ReadBackBuffer(shownPicture);
    engine->MakeCurrentHere();

    if (shownPicture == fullPicture) return true;
    std::size_t byte = 0;
    while (shownPicture[byte] == fullPicture[byte]) ++byte;
    const std::size_t pixel = byte / 3;
    std::fprintf(stderr, "replay: frame %lld (%s): the picture on screen differs from the full loop's at (%zu, %zu)\n",
                 static_cast<long long>(frameCount), skipper->LastFrameSkipped() ? "skipped" : "drawn",
                 pixel % display::kBackBufferWidth, pixel / display::kBackBufferWidth);
    return false;
  }

  bool WriteShot(const replay::Step& step) {
    std::vector<std::uint8_t> rgb;
    engine->MakeCurrentHere();
    engine->ReadBackBuffer(rgb);
    std::string error;
    if (!WritePng(step.file, display::kBackBufferWidth, display::kBackBufferHeight, rgb, error)) {
      std::fprintf(stderr, "replay: line %d: cannot write '%s': %s\n", step.line, replay::Printable(step.file).c_str(),
                   error.c_str());
      return false;
    }
    return true;
  }

  std::FILE* dumps;
  bool checkStillFrames;
  ge::DrawList frameCalls;  // the game's frame, with --still-frames
  std::unique_ptr<ge::StillFrameSkipper> skipper;
  std::vector<std::uint8_t> fullPicture;
  std::vector<std::uint8_t> shownPicture;
  std::int64_t frameCount = 0;
  std::unique_ptr<ge::ZGraphicEngineAdapter> adapter;
  ie::ScriptedInputEngine input;
  se::SilentSoundEngine sound;
  std::unique_ptr<Game> gameObject;
};

void reportScriptError(const std::string& name, const replay::ParseError& error) {
  const std::string shownName = name == "-" ? "standard input" : replay::Printable(name);
  if (error.line > 0) {
    std::fprintf(stderr, "replay: %s:%d: %s\n", shownName.c_str(), error.line, error.message.c_str());
  } else {
    std::fprintf(stderr, "replay: %s: %s\n", shownName.c_str(), error.message.c_str());
  }
}

// Standard input can be read only once, but the script is read twice (checked, then run): it is
// copied to an unnamed temporary file first, a block at a time. The file's name is removed as
// soon as it exists, so that a runner killed while standard input is still open leaves nothing
// behind; the stream opens the file again through its descriptor. False, having said why, when
// the copy fails.
bool spoolStandardInput(std::ifstream& script) {
  const char* folder = std::getenv("TMPDIR");
  std::string path = std::string(folder != nullptr && *folder != '\0' ? folder : "/tmp") + "/varnelle-replay-XXXXXX";
  const int descriptor = mkstemp(path.data());
  if (descriptor < 0) {
    std::fprintf(stderr, "replay: cannot keep standard input in a temporary file: %s\n", std::strerror(errno));
    return false;
  }
  unlink(path.c_str());
  bool copied = true;
  char block[65536];
  for (;;) {
    const std::size_t got = std::fread(block, 1, sizeof block, stdin);
    if (got > 0 && write(descriptor, block, got) != static_cast<ssize_t>(got)) copied = false;
    if (got < sizeof block) break;
  }
  if (std::ferror(stdin)) copied = false;
  int reason = errno;
  if (copied) {
    script.open("/proc/self/fd/" + std::to_string(descriptor), std::ios::binary);
    reason = errno;
  }
  close(descriptor);  // the open stream keeps the file until the process ends
  if (!copied || !script) {
    std::fprintf(stderr, "replay: cannot keep standard input in a temporary file: %s\n", std::strerror(reason));
    return false;
  }
  return true;
}

// Opens the script and checks every line of it; nothing runs unless all are good.
bool openAndCheckScript(const std::string& name, std::ifstream& script) {
  if (name == "-") {
    if (!spoolStandardInput(script)) return false;
  } else {
    script.open(name, std::ios::binary);
    if (!script) {
      std::fprintf(stderr, "replay: cannot open the script '%s': %s\n", replay::Printable(name).c_str(),
                   std::strerror(errno));
      return false;
    }
  }
  replay::ParseError error;
  if (!replay::CheckScript(script, error)) {
    reportScriptError(name, error);
    return false;
  }
  script.clear();
  script.seekg(0);
  return true;
}

}  // namespace

int main(int argumentCount, char** arguments) {
  const bool checkStillFrames = argumentCount == 3 && std::strcmp(arguments[1], "--still-frames") == 0;
  if (argumentCount != 2 && !checkStillFrames) {
    std::fprintf(stderr,
                 "usage: varnelle-replay [--still-frames] SCRIPT   (or - to read the script from standard input)\n"
                 "Run it from the build folder, so that ../data/ holds the game's pictures.\n");
    return kScriptError;
  }
  const std::string name = arguments[argumentCount - 1];
  std::ifstream script;
  if (!openAndCheckScript(name, script)) return kScriptError;

  // Standard output carries the dumps alone; the engines' log lines go to the error stream.
  std::fflush(stdout);
  const int dumpDescriptor = dup(STDOUT_FILENO);
  std::FILE* dumps = dumpDescriptor >= 0 ? fdopen(dumpDescriptor, "w") : nullptr;
  if (dumps == nullptr || dup2(STDERR_FILENO, STDOUT_FILENO) < 0) {
    std::fprintf(stderr, "replay: cannot set up the output: %s\n", std::strerror(errno));
    return kRunError;
  }

  Replay replay(dumps, checkStillFrames);
  int status = replay.Start() ? 0 : kRunError;
  // The second reading, as the script runs: one line's steps at a time.
  replay::ScriptReader reader(script);
  std::vector<replay::Step> steps;
  replay::ParseError error;
  while (status == 0 && reader.NextCommand(steps, error)) {
    for (const replay::Step& step : steps) {
      if (!replay.Perform(step)) {
        status = kRunError;
        break;
      }
    }
  }
  // Only a file changed between the two readings can fail here.
  if (status == 0 && !error.message.empty()) {
    reportScriptError(name, error);
    status = kScriptError;
  }
  replay.Finish();
  std::fclose(dumps);
  return status;
}
