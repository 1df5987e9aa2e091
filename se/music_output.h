// What the music of a sound engine plays through: one track at a time, opened from a file, with
// its length and position in seconds, seek, run and stop, and a volume in hundredths of a
// decibel. The music policy (se/music_policy.h) decides when to call what; an engine gives it an
// output built on its platform's player (an mpg123 stream on OpenAL Soft, a DirectShow graph).
#pragma once

#include <cstdint>
#include <string>

namespace se {

class MusicOutput {
 public:
  // Opens a music file as the track to play, in place of any open one; the output is then
  // stopped at the start of the track. False when the file cannot be played, with `reason`
  // saying why in words that follow the file's name ("is empty", "holds no MPEG audio").
  virtual bool Open(const std::wstring& file, std::string& reason) = 0;
  // Closes the track; the old track no longer sounds.
  virtual void Close() = 0;

  virtual void Run() = 0;
  // Pauses where it is; Run goes on from there.
  virtual void Stop() = 0;
  virtual void Seek(double seconds) = 0;

  // Seconds from the start of the track to what is heard now.
  virtual double Position() = 0;
  // The length of the track in seconds.
  virtual double StopTime() = 0;

  // Hundredths of a decibel, kSilentVolume (-10000) to kFullVolume (0); Volume reads back the
  // value last set.
  virtual void SetVolume(std::int32_t hundredths) = 0;
  virtual std::int32_t Volume() = 0;

 protected:
  // Outputs are destroyed through their concrete type.
  ~MusicOutput() = default;
};

}  // namespace se
