// RIFF WAVE files of 16-bit samples: the music generator's output, and the sounds the sound tests
// play or refuse. The layout's fields are written as given, so a test can make a file the game
// must refuse (8-bit, not PCM, a wrong block alignment).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct WavLayout {
  int channels = 1;
  int sampleRate = 22050;
  int bitsPerSample = 16;
  int formatTag = 1;    // 1 PCM
  int blockAlign = -1;  // -1: channels × bits / 8
};

// A "fmt " chunk and a "data" chunk holding `samples` (interleaved channels) as 16-bit values.
std::vector<std::uint8_t> MakeWav(const WavLayout& layout, const std::vector<std::int16_t>& samples);

// MakeWav written to `path`. Returns false and says why in `error` when the file cannot be written.
bool WriteWav(const std::string& path, const WavLayout& layout, const std::vector<std::int16_t>& samples,
              std::string& error);
