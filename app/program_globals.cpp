// The program-wide values of the application shell.
#include "app/program_globals.h"

#include "app/startup_gate.h"

bool fullscreen = false;
ge::StillFrameSkipper* stillFrameSkipper = nullptr;
std::atomic<bool> windowExposed{false};
#ifdef _WIN32
ge::GraphicEngineD3D9c* graphicEngine = nullptr;
ie::InputEngineDInput8* inputEngineDInput8 = nullptr;
se::ZSoundEngineDSound* soundEngine = nullptr;
#else
ge::GraphicEngineGL* graphicEngine = nullptr;
ie::InputEngineX11* inputEngineX11 = nullptr;
se::ZSoundEngineOpenAL* soundEngine = nullptr;
#endif
std::int32_t framesPerSecond = 0;
std::uint32_t lastFrameTime = 0;

StartupGate& SharedStartupGate() {
  static StartupGate* gate = new StartupGate;
  return *gate;
}
