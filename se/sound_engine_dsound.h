// The sound engine on Windows: DirectShow plays the background music (se/music_output_dshow.h)
// under the shared music policy (se/music_policy.h), DirectSound plays the samples of 32 slots,
// each started copy a duplicate of its slot's buffer.
//
// Supports: looping music with a fade-out between tracks, the music's restart near its end and on
// the graph's completion event, 16-bit PCM WAV samples (mono or stereo, any rate) with a volume
// control, a primary buffer of 22050 Hz 16-bit stereo at the priority co-operation level.
// Does not: place sounds in space, follow a change of the output device, keep playing a sample
// while another program has the sound card exclusively.
//
// Built and used on one thread, which it makes a single-threaded COM apartment. Every failure to
// start is fatal through the event log (tag "SE").
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "se/music_output_dshow.h"
#include "se/music_policy.h"
#include "se/live_sounds.h"
#include "se/sound_engine.h"

// Windows' own types, kept out of this header.
struct HWND__;
struct IDirectSound;
struct IDirectSoundBuffer;

namespace se {

// A sample started by `PlaySound`: a duplicate of a slot's buffer, owned by the sound.
class ZSound final : public XSound {
 public:
  ZSound(IDirectSoundBuffer* buffer, int slot) : buffer(buffer), slot(slot) {}
  ZSound(const ZSound&) = delete;
  ZSound& operator=(const ZSound&) = delete;
  ~ZSound() override;  // stops the buffer and releases it

  void Stop() override;
  // A refused change is reported on standard output and leaves the sound as it was.
  void SetVolume(float volume) override;

  bool IsPlaying() const;

  IDirectSoundBuffer* buffer;
  int slot;  // the sample slot it copies
};

class ZSoundEngineDSound final : public XSoundEngine {
 public:
  static constexpr int kSampleSlots = 32;
  static constexpr int kMusicTracks = 4;

  // Opens the default sound device for `window`, the game window, and the music's filter graph.
  explicit ZSoundEngineDSound(HWND__* window);
  ZSoundEngineDSound(const ZSoundEngineDSound&) = delete;
  ZSoundEngineDSound& operator=(const ZSoundEngineDSound&) = delete;
  ~ZSoundEngineDSound();

  void PlayMusic(int track, float volume, bool immediately) override;
  // Null when the slot holds no sample or DirectSound gives no copy of it.
  XSound* PlaySound(int slot, float volume, bool loop) override;
  void StopAllSounds() override;
  void Update() override;

  // Loads a 16-bit PCM WAV file (mono or stereo) into a sample slot, replacing what the slot
  // held (sounds still playing the old sample are deleted first). A bad file or slot is reported
  // on the event log and gives false; the slot is then unchanged.
  bool LoadSound(int slot, const char* file);

  // The state of the music and of the live sounds, for tests and diagnostics.
  int CurrentTrack() const { return musicPolicy->CurrentTrack(); }
  int RequestedTrack() const { return musicPolicy->RequestedTrack(); }
  std::int32_t RequestedVolume() const { return musicPolicy->RequestedVolume(); }
  std::int32_t MusicVolume() { return music->Volume(); }
  double MusicPosition() { return music->Position(); }
  double MusicStopTime() { return music->StopTime(); }
  bool MusicCompleted() { return music->Completed(); }
  std::size_t LiveSoundCount() const { return liveSounds.Count(); }

  // File names of music tracks 0 to 3 (see se/music_file_name.h); only tracks whose name is set
  // may be played.
  std::wstring musicFiles[kMusicTracks];

 private:
  void OpenDevice(HWND__* window);
  void DeleteSoundsOfSlot(int slot);

  bool comInitialised = false;
  unsigned long comThread = 0;  // the thread that initialised COM, which alone may end it
  std::unique_ptr<MusicOutputDShow> music;
  std::unique_ptr<MusicPolicy> musicPolicy;  // plays through `music`
  IDirectSound* directSound = nullptr;
  IDirectSoundBuffer* sampleBuffers[kSampleSlots] = {};
  LiveSounds<ZSound> liveSounds;
};

}  // namespace se
