// The music of a sound engine, whatever plays it: which track to play, the fade-out between two
// tracks, the endless loop and the volume formula. An engine owns one, hands it its output
// (se/music_output.h) and its table of track file names, and forwards PlayMusic and Update to
// it; the policy holds no platform call of its own.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "se/music_output.h"

namespace se {

class MusicPolicy {
 public:
  // One fade step lowers the music by half a decibel; the switch happens once it is this quiet.
  static constexpr std::int32_t kFadeStep = 50;
  static constexpr std::int32_t kFadeEnd = -9950;
  // The track starts again once its position passes this many seconds before its end.
  static constexpr double kLoopLead = 0.1;

  // `files` is the engine's table of track file names (track n is files[n]); the policy reads a
  // name each time it starts a track, so names stored later count.
  MusicPolicy(MusicOutput& output, std::span<const std::wstring> files) : output(output), files(files) {}

  // Switches to `track` (−1 silence) at `volume` (a factor, 1.0 full): at once, or, with
  // `immediately` false and a track playing, one fade step per call until the old track is quiet.
  // A track that cannot be played ends the program ("cannot run music"), after a message that
  // names the file and the reason.
  void PlayMusic(int track, float volume, bool immediately);

  // Once per frame: starts the track again near its end, and continues a pending switch.
  void Update();

  int CurrentTrack() const { return currentTrack; }
  int RequestedTrack() const { return requestedTrack; }
  std::int32_t RequestedVolume() const { return requestedVolume; }

 private:
  void StartTrack(int track);

  MusicOutput& output;
  std::span<const std::wstring> files;
  int currentTrack = -1;
  int requestedTrack = -1;
  std::int32_t requestedVolume = 0;  // hundredths of a decibel
};

}  // namespace se
