// The sound engine on OpenAL Soft: background music decoded by mpg123 and streamed into an
// OpenAL source, and up to 32 sample slots played by `PlaySound`, each copy on a source of its
// own. The music's fade, loop and track switch are the shared MusicPolicy (se/music_policy.h);
// this engine gives it the stream as its output.
// Supports: looping music with a fade-out between tracks, 16-bit PCM WAV samples, a loopback
// output that tests render on demand. Does not support: placing sounds in space.
//
// One engine at a time: its OpenAL context is made current for the whole process, so that the
// game thread and the streaming thread both reach it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "se/music_policy.h"
#include "se/music_stream_openal.h"
#include "se/live_sounds.h"
#include "se/sound_engine.h"

namespace se {

// A sample started by `PlaySound`: a source of its own playing a slot's buffer.
class ZSound final : public XSound {
 public:
  // OpenAL names (ALuint), kept in a plain type so that this header needs no OpenAL header.
  ZSound(unsigned source, unsigned sampleBuffer) : source(source), sampleBuffer(sampleBuffer) {}
  ZSound(const ZSound&) = delete;
  ZSound& operator=(const ZSound&) = delete;
  ~ZSound() override;  // stops the source and deletes it

  void Stop() override;
  // A refused change is reported on standard output and leaves the sound as it was.
  void SetVolume(float volume) override;

  bool IsPlaying() const;

  unsigned source;        // owned
  unsigned sampleBuffer;  // the slot's buffer, owned by the engine
};

// Where the engine's sound goes.
enum class SoundOutput {
  Device,    // the default output device (with ALSOFT_DRIVERS=null, a silent one)
  Loopback,  // nowhere until `RenderLoopback` mixes it: exact, repeatable samples for tests
};

class ZSoundEngineOpenAL final : public XSoundEngine {
 public:
  static constexpr int kSampleSlots = 32;
  static constexpr int kMusicTracks = 4;
  // The loopback output: stereo float samples at this rate (float, because OpenAL Soft dithers
  // integer output, and silence must read as exact zeros).
  static constexpr int kLoopbackRate = 22050;

  // Opens the default output device; a failure ends the program through the event log.
  ZSoundEngineOpenAL();
  explicit ZSoundEngineOpenAL(SoundOutput output);
  ZSoundEngineOpenAL(const ZSoundEngineOpenAL&) = delete;
  ZSoundEngineOpenAL& operator=(const ZSoundEngineOpenAL&) = delete;
  ~ZSoundEngineOpenAL();

  void PlayMusic(int track, float volume, bool immediately) override;
  XSound* PlaySound(int slot, float volume, bool loop) override;
  void StopAllSounds() override;
  void Update() override;

  // Loads a 16-bit PCM WAV file (mono or stereo) into a sample slot, replacing what the slot
  // held (sounds still playing the old sample are deleted first). A bad file or slot is reported
  // on the event log and gives false; the slot is then unchanged.
  bool LoadSound(int slot, const char* file);

  // Loopback output only: mixes the next `frames` stereo frames into `samples` (2 × frames values,
  // full scale ±1).
  void RenderLoopback(float* samples, int frames);

  // The state of the music and of the live sounds, for tests and diagnostics.
  int CurrentTrack() const { return musicPolicy->CurrentTrack(); }
  int RequestedTrack() const { return musicPolicy->RequestedTrack(); }
  std::int32_t RequestedVolume() const { return musicPolicy->RequestedVolume(); }
  std::int32_t MusicVolume() { return music->Volume(); }
  double MusicPosition() { return music->Position(); }
  double MusicStopTime() { return music->StopTime(); }
  int MusicUnderruns() { return music->Underruns(); }
  std::size_t LiveSoundCount() const { return liveSounds.Count(); }

  // File names of music tracks 0 to 3 in the program's locale (see se/music_file_name.h); only
  // tracks whose name is set may be played.
  std::wstring musicFiles[kMusicTracks];

 private:
  void OpenOutput(SoundOutput output);
  void DeleteSoundsOfBuffer(unsigned buffer);

  // The OpenAL device, its context and the loopback output's mixer (se/sound_engine_openal.cpp).
  struct Device;

  SoundOutput output;
  std::unique_ptr<Device> device;
  // Goes before the context does: its thread and source need the context to the end.
  std::unique_ptr<MusicStreamOpenAL> music;
  std::unique_ptr<MusicPolicy> musicPolicy;  // plays through `music`
  unsigned sampleBuffers[kSampleSlots] = {};  // OpenAL buffer names; 0: the slot holds no sample
  LiveSounds<ZSound> liveSounds;
};

}  // namespace se
