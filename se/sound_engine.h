// The sound engine interface: looping background music and short samples.
#pragma once

// Windows' multimedia header (<mmsystem.h>, through <windows.h>) names its PlaySound function by a
// macro, which would rename the engine's operation in a file that includes both.
#ifdef PlaySound
#undef PlaySound
#endif

namespace se {

// A started sample; the engine owns it and deletes it when it has finished.
class XSound {
 public:
  virtual ~XSound() = default;
  virtual void Stop() = 0;
  virtual void SetVolume(float volume) = 0;
};

class XSoundEngine {
 public:
  // Switches the music to `track` (−1 silence), at once or after a fade-out of the current track.
  virtual void PlayMusic(int track, float volume, bool immediately) = 0;
  // Starts a copy of sample `slot`; null when the slot holds no sample.
  virtual XSound* PlaySound(int slot, float volume, bool loop) = 0;
  virtual void StopAllSounds() = 0;
  // Once per frame: loops the music, continues a fade, reaps finished sounds.
  virtual void Update() = 0;

 protected:
  // Engines are destroyed through their concrete type.
  ~XSoundEngine() = default;
};

}  // namespace se
