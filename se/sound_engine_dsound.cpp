// The sound engine on DirectSound and DirectShow: COM on the game thread, the music's filter graph
// under the music policy, the sound device with its primary format, the sample slots and the
// sounds played from them.
#include "se/sound_engine_dsound.h"

#include <windows.h>
#include <mmreg.h>
#include <dsound.h>
#undef PlaySound  // <mmsystem.h>'s macro, which would rename the engine's operation

#include <cstdio>
#include <cstring>
#include <string>

#include "base/event_log.h"
#include "se/sample_file.h"
#include "se/sound_volume.h"
#include "se/volume_change_message.h"
#include "se/wav_file.h"

namespace se {

namespace {

constexpr const char* kTag = "SE";

// The primary buffer's format: 16-bit stereo PCM at 22050 samples per second.
constexpr WORD kPrimaryChannels = 2;
constexpr DWORD kPrimaryRate = 22050;
constexpr WORD kPrimaryBits = 16;

VolumeChangeError volumeChangeErrorOf(HRESULT result) {
  switch (result) {
    case DSERR_CONTROLUNAVAIL:
      return VolumeChangeError::ControlUnavailable;
    case DSERR_GENERIC:
      return VolumeChangeError::Generic;
    case DSERR_INVALIDPARAM:
      return VolumeChangeError::InvalidParameter;
    case DSERR_PRIOLEVELNEEDED:
      return VolumeChangeError::PriorityLevelNeeded;
    default:
      return VolumeChangeError::Other;
  }
}

// A part of COM or DirectShow the engine cannot go on without: the message says which, the fatal
// line is the one a music that cannot run gives.
[[noreturn]] void cannotRunMusic(const std::string& why) {
  LogMessage(kTag, why.c_str());
  LogError(kTag, "cannot run music");
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// ZSound

ZSound::~ZSound() {
  buffer->Stop();
  buffer->Release();
}

void ZSound::Stop() {
  buffer->Stop();
}

void ZSound::SetVolume(float volume) {
  const HRESULT result = buffer->SetVolume(AttenuationOf(volume));
  if (FAILED(result)) {
    const std::string line = VolumeChangeErrorLine(static_cast<std::int32_t>(result), volumeChangeErrorOf(result));
    std::fputs(line.c_str(), stdout);
    std::fflush(stdout);
  }
}

bool ZSound::IsPlaying() const {
  DWORD status = 0;
  if (FAILED(buffer->GetStatus(&status))) {
    return false;  // a buffer that cannot say is reaped rather than kept for ever
  }
  return (status & DSBSTATUS_PLAYING) != 0;
}

// ---------------------------------------------------------------------------------------------
// ZSoundEngineDSound

ZSoundEngineDSound::ZSoundEngineDSound(HWND__* window) {
  // The game thread is the engine's apartment; a thread that already chose the multithreaded one
  // keeps it (DirectShow works there too) and is not ours to end.
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  comInitialised = SUCCEEDED(com);
  comThread = GetCurrentThreadId();
  if (FAILED(com) && com != RPC_E_CHANGED_MODE) {
    char code[16];
    std::snprintf(code, sizeof code, "0x%08lX", static_cast<unsigned long>(com));
    cannotRunMusic(std::string("COM cannot start on this thread: error ") + code);
  }
  music = std::make_unique<MusicOutputDShow>();
  std::string reason;
  if (!music->Create(reason)) {
    cannotRunMusic(reason);
  }
  musicPolicy = std::make_unique<MusicPolicy>(*music, musicFiles);
  LogMessage(kTag, "Muzica!!!");

  OpenDevice(window);
  for (IDirectSoundBuffer*& buffer : sampleBuffers) {
    buffer = nullptr;
  }
}

void ZSoundEngineDSound::OpenDevice(HWND__* window) {
  if (FAILED(DirectSoundCreate(nullptr, &directSound, nullptr)) || directSound == nullptr) {
    directSound = nullptr;
    LogError(kTag, "cannot create direct sound");
  }
  // Priority level: the engine may set the primary buffer's format.
  if (FAILED(directSound->SetCooperativeLevel(window, DSSCL_PRIORITY))) {
    LogError(kTag, "cannot set cooperative level");
  }
  // The description's size is that of this build's structure (40 bytes in a 64-bit program, 36
  // in a 32-bit one), as DirectSound tells the versions apart by it.
  DSBUFFERDESC description;
  std::memset(&description, 0, sizeof description);
  description.dwSize = sizeof description;
  description.dwFlags = DSBCAPS_PRIMARYBUFFER;
  description.dwBufferBytes = 0;
  description.lpwfxFormat = nullptr;
  IDirectSoundBuffer* primary = nullptr;
  if (FAILED(directSound->CreateSoundBuffer(&description, &primary, nullptr)) || primary == nullptr) {
    LogError(kTag, "cannot create sound buffer");
  }
  WAVEFORMATEX format;
  std::memset(&format, 0, sizeof format);
  format.wFormatTag = WAVE_FORMAT_PCM;
  format.nChannels = kPrimaryChannels;
  format.nSamplesPerSec = kPrimaryRate;
  format.wBitsPerSample = kPrimaryBits;
  format.nBlockAlign = kPrimaryChannels * kPrimaryBits / 8;
  format.nAvgBytesPerSec = kPrimaryRate * format.nBlockAlign;
  if (FAILED(primary->SetFormat(&format))) {
    LogError(kTag, "cannot set format");
  }
  // The format stays in force without the buffer.
  primary->Release();
}

ZSoundEngineDSound::~ZSoundEngineDSound() {
  // The live sounds go first: their buffers are copies that the device's release would take away
  // under them.
  StopAllSounds();
  for (IDirectSoundBuffer*& buffer : sampleBuffers) {
    if (buffer != nullptr) {
      buffer->Release();
      buffer = nullptr;
    }
  }
  if (directSound != nullptr) {
    directSound->Release();
    directSound = nullptr;
  }
  musicPolicy.reset();
  music.reset();  // stops the graph and releases it
  // COM ends only on the thread that began it; from any other thread the process's exit ends it.
  if (comInitialised && GetCurrentThreadId() == comThread) {
    CoUninitialize();
  }
  LogMessage(kTag, "not Muzic");
}

void ZSoundEngineDSound::PlayMusic(int track, float volume, bool immediately) {
  musicPolicy->PlayMusic(track, volume, immediately);
}

XSound* ZSoundEngineDSound::PlaySound(int slot, float volume, bool loop) {
  if (slot < 0 || slot >= kSampleSlots || sampleBuffers[slot] == nullptr) {
    return nullptr;
  }
  IDirectSoundBuffer* copy = nullptr;
  if (FAILED(directSound->DuplicateSoundBuffer(sampleBuffers[slot], &copy)) || copy == nullptr) {
    return nullptr;  // the sound is not played
  }
  // A volume the buffer does not take leaves the copy at its slot's full volume.
  copy->SetVolume(AttenuationOf(volume));
  copy->SetCurrentPosition(0);
  copy->Play(0, 0, loop ? DSBPLAY_LOOPING : 0);
  auto* sound = new ZSound(copy, slot);
  liveSounds.Add(sound);
  return sound;
}

void ZSoundEngineDSound::StopAllSounds() { liveSounds.DeleteAll(); }

void ZSoundEngineDSound::Update() {
  musicPolicy->Update();
  liveSounds.DeleteStopped();
}

bool ZSoundEngineDSound::LoadSound(int slot, const char* file) {
  WavSound sound;
  if (!ReadSampleFile(file, slot, kSampleSlots, sound)) return false;
  WAVEFORMATEX format;
  std::memset(&format, 0, sizeof format);
  format.wFormatTag = WAVE_FORMAT_PCM;
  format.nChannels = static_cast<WORD>(sound.channels);
  format.nSamplesPerSec = static_cast<DWORD>(sound.sampleRate);
  format.wBitsPerSample = 16;
  format.nBlockAlign = static_cast<WORD>(sound.channels * 2);
  format.nAvgBytesPerSec = format.nSamplesPerSec * format.nBlockAlign;
  const DWORD bytes = static_cast<DWORD>(sound.samples.size() * sizeof(std::int16_t));
  DSBUFFERDESC description;
  std::memset(&description, 0, sizeof description);
  description.dwSize = sizeof description;
  // A volume of its own; plays on while the game window is in the background.
  description.dwFlags = DSBCAPS_CTRLVOLUME | DSBCAPS_GLOBALFOCUS | DSBCAPS_GETCURRENTPOSITION2;
  description.dwBufferBytes = bytes;
  description.lpwfxFormat = &format;
  IDirectSoundBuffer* buffer = nullptr;
  if (bytes < DSBSIZE_MIN || bytes > DSBSIZE_MAX ||
      FAILED(directSound->CreateSoundBuffer(&description, &buffer, nullptr)) || buffer == nullptr) {
    LogMessage(kTag, ("cannot load sound " + std::string(file) + ": DirectSound refused the samples").c_str());
    return false;
  }
  void* part1 = nullptr;
  void* part2 = nullptr;
  DWORD bytes1 = 0;
  DWORD bytes2 = 0;
  if (FAILED(buffer->Lock(0, bytes, &part1, &bytes1, &part2, &bytes2, DSBLOCK_ENTIREBUFFER))) {
    buffer->Release();
    LogMessage(kTag, ("cannot load sound " + std::string(file) + ": no sample buffer").c_str());
    return false;
  }
  // The whole buffer comes in one piece from its start.
  std::memcpy(part1, sound.samples.data(), bytes1 < bytes ? bytes1 : bytes);
  buffer->Unlock(part1, bytes1, part2, bytes2);
  if (sampleBuffers[slot] != nullptr) {
    DeleteSoundsOfSlot(slot);
    sampleBuffers[slot]->Release();
  }
  sampleBuffers[slot] = buffer;
  return true;
}

void ZSoundEngineDSound::DeleteSoundsOfSlot(int slot) {
  liveSounds.DeleteWhere([slot](const ZSound& sound) { return sound.slot == slot; });
}

}  // namespace se
