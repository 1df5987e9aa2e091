// The program-wide values the start-up, the frame loop and Shutdown share. The game code's own
// pointers (graphicAdapter, inputEngine, game) are in game/game_globals.h.
#pragma once

#include <atomic>
#include <cstdint>

namespace ge {
class GraphicEngineD3D9c;
class GraphicEngineGL;
class StillFrameSkipper;
}
namespace ie {
class InputEngineDInput8;
class InputEngineX11;
}
namespace se {
class ZSoundEngineDSound;
class ZSoundEngineOpenAL;
}
class StartupGate;

extern bool fullscreen;                        // the player answered "Yes" to the question
// Wraps graphicEngine and is wrapped by graphicAdapter: frames whose picture is already on screen
// are neither drawn nor presented.
extern ge::StillFrameSkipper* stillFrameSkipper;
// Set by the window when the system asks for its pixels again (uncovered, mapped); the game
// thread takes it at the next frame and presents that frame even if it is still.
extern std::atomic<bool> windowExposed;
#ifdef _WIN32
extern ge::GraphicEngineD3D9c* graphicEngine;  // wrapped by stillFrameSkipper
extern ie::InputEngineDInput8* inputEngineDInput8;  // the same object as inputEngine; destroyed through this
extern se::ZSoundEngineDSound* soundEngine;
#else
extern ge::GraphicEngineGL* graphicEngine;     // wrapped by stillFrameSkipper
extern ie::InputEngineX11* inputEngineX11;     // the same object as inputEngine; destroyed through this
extern se::ZSoundEngineOpenAL* soundEngine;
#endif
extern std::int32_t framesPerSecond;           // the limiter's rate, 60 once start-up sets it
extern std::uint32_t lastFrameTime;            // MillisecondTimer() at the start of the current frame

// Between the game thread's start-up and Shutdown (app/startup_gate.h). Never destroyed: the
// game thread may still be leaving it while the process exits.
StartupGate& SharedStartupGate();
