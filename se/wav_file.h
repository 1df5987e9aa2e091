// Reads 16-bit PCM WAV files for the sound engine's sample slots. The file comes from outside, so
// every size is checked before it is read and a refusal says exactly what is wrong.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace se {

struct WavSound {
  int channels = 0;            // 1 or 2
  int sampleRate = 0;          // frames per second
  std::vector<std::int16_t> samples;  // interleaved, channels × frames values
};

// Parses a whole WAV file held in memory. On a refusal returns false, leaves `sound` unspecified
// and puts the reason into `error`.
bool ParseWav(const std::uint8_t* bytes, std::size_t size, WavSound& sound, std::string& error);

// Reads and parses a WAV file; `error` names the file and the reason on a refusal.
bool ReadWavFile(const char* file, WavSound& sound, std::string& error);

}  // namespace se
