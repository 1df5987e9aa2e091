// A sound engine that plays nothing, for tests and headless tools: the game runs the same
// without sound hardware. Supports: every call of the interface. Does not: play music or
// samples, or fail.
#pragma once

#include "se/sound_engine.h"

namespace se {

class SilentSoundEngine final : public XSoundEngine {
 public:
  void PlayMusic(int /*track*/, float /*volume*/, bool /*immediately*/) override {}
  // No sample is ever loaded, so no sound is ever started.
  XSound* PlaySound(int /*slot*/, float /*volume*/, bool /*loop*/) override { return nullptr; }
  void StopAllSounds() override {}
  void Update() override {}
};

}  // namespace se
