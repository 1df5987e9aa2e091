// Writing 16-bit stereo PCM WAV files.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace music {

// `samples` holds interleaved left, right values. Returns false and sets `error` on failure.
bool WriteWav(const char* path, const std::vector<std::int16_t>& samples, int sampleRate, std::string& error);

}  // namespace music
