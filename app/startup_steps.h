// The game thread's start-up, the same on every platform, in this order: the graphic engine with
// the still-frame skipper and the adapter the game draws through; the loading frame; the input
// engine; the sound engine; the pictures; the music's file name, the frame rate, the game and its
// music. Between steps it asks the start-up gate whether a shutdown has come meanwhile
// (app/startup_gate.h). A platform gives only how it makes each engine.
#pragma once

#include <functional>

namespace ge {
class XGraphicEngineAccess;
}
namespace ie {
class XInputEngine;
}
namespace se {
class XSoundEngine;
}

// Each maker keeps its engine in the program's pointers (app/program_globals.h) and returns it.
struct PlatformStartup {
  std::function<ge::XGraphicEngineAccess&()> makeGraphicEngine;
  std::function<void()> loadingFrameShown = [] {};
  std::function<ie::XInputEngine&()> makeInputEngine;
  std::function<se::XSoundEngine&()> makeSoundEngine;
  // Music track 0's name, in the wide form the sound engine keeps.
  std::function<void()> storeMusicFileName;
};

// False when a shutdown stopped start-up: nothing more may be touched then, and what was built is
// Shutdown's.
bool RunStartup(const PlatformStartup& platform);

// The start-up step that fills texture slots 6 to 10 of the graphic engine from "../data/".
void LoadTextures();
