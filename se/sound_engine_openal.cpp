// The sound engine on OpenAL Soft and mpg123: the output and the music stream under the music
// policy, the sample slots and the sounds played from them.
#include "se/sound_engine_openal.h"

#include <AL/al.h>
#include <AL/alc.h>
#include <AL/alext.h>
#include <mpg123.h>

#include <cassert>
#include <cstdio>
#include <string>
#include <type_traits>

#include "base/event_log.h"
#include "se/sample_file.h"
#include "se/sound_volume.h"
#include "se/volume_change_message.h"
#include "se/wav_file.h"

namespace se {

// The header keeps OpenAL's names in plain types.
static_assert(std::is_same_v<ALuint, unsigned>);

struct ZSoundEngineOpenAL::Device {
  using RenderSamples = void (*)(ALCdevice* device, ALCvoid* samples, ALCsizei frames);

  ALCdevice* handle = nullptr;
  ALCcontext* context = nullptr;
  RenderSamples renderSamples = nullptr;  // the loopback output's mixer
};

namespace {

constexpr const char* kTag = "SE";
// The loopback output is mixed in slices no longer than one music block, refilling the queue
// before each, so a test can render any length without the music running dry.
constexpr int kLoopbackSliceFrames = 512;

// The DirectSound error name that fits an OpenAL error best, for the volume change line:
//   AL_INVALID_OPERATION (no context, a source that cannot take the call) → DSERR_CONTROLUNAVAIL
//   AL_INVALID_ENUM      (the gain control is not there)                  → DSERR_CONTROLUNAVAIL
//   AL_INVALID_VALUE     (a gain the source does not take)                → DSERR_INVALIDPARAM
//   AL_INVALID_NAME      (the source is not a valid source)               → DSERR_INVALIDPARAM
//   AL_OUT_OF_MEMORY                                                      → DSERR_GENERIC
// OpenAL has no priority levels, so nothing maps to DSERR_PRIOLEVELNEEDED; any other code gets
// no name.
VolumeChangeError volumeChangeErrorOf(ALenum error) {
  switch (error) {
    case AL_INVALID_OPERATION:
    case AL_INVALID_ENUM:
      return VolumeChangeError::ControlUnavailable;
    case AL_INVALID_VALUE:
    case AL_INVALID_NAME:
      return VolumeChangeError::InvalidParameter;
    case AL_OUT_OF_MEMORY:
      return VolumeChangeError::Generic;
    default:
      return VolumeChangeError::Other;
  }
}

void reportVolumeChangeError(ALenum error) {
  const std::string line = VolumeChangeErrorLine(static_cast<std::int32_t>(error), volumeChangeErrorOf(error));
  std::fputs(line.c_str(), stdout);
  std::fflush(stdout);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// ZSound

ZSound::~ZSound() {
  alSourceStop(source);
  alDeleteSources(1, &source);
}

void ZSound::Stop() {
  alSourceStop(source);
}

void ZSound::SetVolume(float volume) {
  const std::int32_t hundredths = AttenuationOf(volume);
  if (!IsAttenuationInRange(hundredths)) {
    // OpenAL would take any gain from 0 up; the volume control refuses what lies outside
    // -10000..0 (full volume down to silence), with the code OpenAL gives a bad value.
    reportVolumeChangeError(AL_INVALID_VALUE);
    return;
  }
  alGetError();  // forget errors left by earlier calls
  alSourcef(source, AL_GAIN, GainOf(hundredths));
  const ALenum error = alGetError();
  if (error != AL_NO_ERROR) {
    reportVolumeChangeError(error);
  }
}

bool ZSound::IsPlaying() const {
  ALint state = AL_STOPPED;
  alGetSourcei(source, AL_SOURCE_STATE, &state);
  return state == AL_PLAYING;
}

// ---------------------------------------------------------------------------------------------
// ZSoundEngineOpenAL

ZSoundEngineOpenAL::ZSoundEngineOpenAL() : ZSoundEngineOpenAL(SoundOutput::Device) {}

ZSoundEngineOpenAL::ZSoundEngineOpenAL(SoundOutput output) : output(output), device(std::make_unique<Device>()) {
  // The music side first: the decoder library and the player. Its source needs the output, so
  // it starts once the context is current.
  if (mpg123_init() != MPG123_OK) {
    LogError(kTag, "cannot run music");
  }
  music = std::make_unique<MusicStreamOpenAL>();
  musicPolicy = std::make_unique<MusicPolicy>(*music, musicFiles);
  LogMessage(kTag, "Muzica!!!");

  OpenOutput(output);
  if (!music->Start()) {
    // OpenAL refused the 16-bit source and buffers the music streams through.
    LogError(kTag, "cannot set format");
  }
  for (ALuint& buffer : sampleBuffers) {
    buffer = 0;
  }
}

void ZSoundEngineOpenAL::OpenOutput(SoundOutput chosen) {
  if (chosen == SoundOutput::Device) {
    device->handle = alcOpenDevice(nullptr);
    if (device->handle == nullptr) {
      LogError(kTag, "cannot create direct sound");
    }
    device->context = alcCreateContext(device->handle, nullptr);
  } else {
    auto openLoopback = reinterpret_cast<LPALCLOOPBACKOPENDEVICESOFT>(
        alcGetProcAddress(nullptr, "alcLoopbackOpenDeviceSOFT"));
    device->renderSamples =
        reinterpret_cast<Device::RenderSamples>(alcGetProcAddress(nullptr, "alcRenderSamplesSOFT"));
    if (openLoopback == nullptr || device->renderSamples == nullptr ||
        (device->handle = openLoopback(nullptr)) == nullptr) {
      LogError(kTag, "cannot create direct sound");
    }
    const ALCint attributes[] = {ALC_FORMAT_CHANNELS_SOFT, ALC_STEREO_SOFT,
                                 ALC_FORMAT_TYPE_SOFT,     ALC_FLOAT_SOFT,
                                 ALC_FREQUENCY,            kLoopbackRate,
                                 0};
    device->context = alcCreateContext(device->handle, attributes);
  }
  if (device->context == nullptr) {
    LogError(kTag, "cannot set cooperative level");
  }
  // Current for the whole process: the streaming thread works in the same context.
  if (alcMakeContextCurrent(device->context) != ALC_TRUE) {
    LogError(kTag, "cannot create sound buffer");
  }
}

ZSoundEngineOpenAL::~ZSoundEngineOpenAL() {
  // The live sounds go first: OpenAL does not delete a buffer that a source still plays.
  StopAllSounds();
  for (ALuint& buffer : sampleBuffers) {
    if (buffer != 0) {
      alDeleteBuffers(1, &buffer);
      buffer = 0;
    }
  }
  music->Stop();
  musicPolicy.reset();
  music.reset();  // joins the streaming thread, closes the decoder, deletes the source
  alcMakeContextCurrent(nullptr);
  alcDestroyContext(device->context);
  alcCloseDevice(device->handle);
  LogMessage(kTag, "not Muzic");
}

void ZSoundEngineOpenAL::PlayMusic(int track, float volume, bool immediately) {
  musicPolicy->PlayMusic(track, volume, immediately);
}

XSound* ZSoundEngineOpenAL::PlaySound(int slot, float volume, bool loop) {
  if (slot < 0 || slot >= kSampleSlots || sampleBuffers[slot] == 0) {
    return nullptr;
  }
  alGetError();
  ALuint source = 0;
  alGenSources(1, &source);
  if (alGetError() != AL_NO_ERROR) {
    return nullptr;  // OpenAL's sources are used up: the sound is not played
  }
  alSourcei(source, AL_SOURCE_RELATIVE, AL_TRUE);
  alSourcef(source, AL_ROLLOFF_FACTOR, 0.0f);
  alSourcei(source, AL_BUFFER, static_cast<ALint>(sampleBuffers[slot]));
  alSourcei(source, AL_LOOPING, loop ? AL_TRUE : AL_FALSE);
  // A volume outside -10000..0 is not taken; the copy then plays at full volume.
  const std::int32_t hundredths = AttenuationOf(volume);
  if (IsAttenuationInRange(hundredths)) {
    alSourcef(source, AL_GAIN, GainOf(hundredths));
  }
  alSourcePlay(source);
  auto* sound = new ZSound(source, sampleBuffers[slot]);
  liveSounds.Add(sound);
  return sound;
}

void ZSoundEngineOpenAL::StopAllSounds() { liveSounds.DeleteAll(); }

void ZSoundEngineOpenAL::Update() {
  musicPolicy->Update();
  liveSounds.DeleteStopped();
}

bool ZSoundEngineOpenAL::LoadSound(int slot, const char* file) {
  WavSound sound;
  if (!ReadSampleFile(file, slot, kSampleSlots, sound)) return false;
  alGetError();
  ALuint buffer = 0;
  alGenBuffers(1, &buffer);
  if (alGetError() != AL_NO_ERROR) {
    LogMessage(kTag, ("cannot load sound " + std::string(file) + ": no sample buffer").c_str());
    return false;
  }
  alBufferData(buffer, sound.channels == 1 ? AL_FORMAT_MONO16 : AL_FORMAT_STEREO16,
               sound.samples.data(), static_cast<ALsizei>(sound.samples.size() * sizeof(std::int16_t)),
               sound.sampleRate);
  if (alGetError() != AL_NO_ERROR) {
    alDeleteBuffers(1, &buffer);
    LogMessage(kTag, ("cannot load sound " + std::string(file) + ": OpenAL refused the samples").c_str());
    return false;
  }
  if (sampleBuffers[slot] != 0) {
    DeleteSoundsOfBuffer(sampleBuffers[slot]);
    alDeleteBuffers(1, &sampleBuffers[slot]);
  }
  sampleBuffers[slot] = buffer;
  return true;
}

void ZSoundEngineOpenAL::DeleteSoundsOfBuffer(unsigned buffer) {
  liveSounds.DeleteWhere([buffer](const ZSound& sound) { return sound.sampleBuffer == buffer; });
}

void ZSoundEngineOpenAL::RenderLoopback(float* samples, int frames) {
  assert(output == SoundOutput::Loopback && "RenderLoopback needs the loopback output");
  if (device->renderSamples == nullptr) {
    return;
  }
  while (frames > 0) {
    const int slice = frames < kLoopbackSliceFrames ? frames : kLoopbackSliceFrames;
    music->Refill();
    device->renderSamples(device->handle, samples, slice);
    samples += 2 * slice;
    frames -= slice;
  }
}

}  // namespace se
