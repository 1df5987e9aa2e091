#include "app/startup_steps.h"

#include "app/game_frame.h"
#include "app/game_pictures_loader.h"
#include "app/program_globals.h"
#include "app/startup_gate.h"
#include "game/game.h"
#include "game/game_globals.h"
#include "ge/graphic_engine_access.h"
#include "ge/graphic_engine_adapter.h"
#include "ge/still_frame_skipper.h"
#include "se/sound_engine.h"

namespace {

// The engine LoadTextures fills, once start-up has made it.
ge::XGraphicEngineAccess* madeGraphicEngine = nullptr;

}  // namespace

bool RunStartup(const PlatformStartup& platform) {
  StartupGate& gate = SharedStartupGate();
  if (!gate.ContinueStartup()) return false;

  madeGraphicEngine = &platform.makeGraphicEngine();
  stillFrameSkipper = new ge::StillFrameSkipper(*madeGraphicEngine);
  graphicAdapter = new ge::ZGraphicEngineAdapter(stillFrameSkipper);
  if (!gate.ContinueStartup()) return false;

  // Shown before the other engines exist and before any image is read.
  ShowLoadingFrame(*graphicAdapter);
  platform.loadingFrameShown();
  if (!gate.ContinueStartup()) return false;

  inputEngine = &platform.makeInputEngine();
  if (!gate.ContinueStartup()) return false;

  se::XSoundEngine& sound = platform.makeSoundEngine();
  if (!gate.ContinueStartup()) return false;

  LoadTextures();
  if (!gate.ContinueStartup()) return false;

  platform.storeMusicFileName();
  framesPerSecond = 60;
  game = new Game;
  sound.PlayMusic(0, 1.0f, true);
  return gate.FinishStartup();
}

void LoadTextures() { LoadGamePictures(*madeGraphicEngine, "../data/"); }
