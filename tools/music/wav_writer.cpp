// Writing 16-bit stereo PCM WAV files: the RIFF header, then the samples little-endian.
#include "tools/music/wav_writer.h"

#include <cstdio>

namespace music {

namespace {

void put16(std::vector<std::uint8_t>& bytes, std::uint32_t value) {
  bytes.push_back(static_cast<std::uint8_t>(value));
  bytes.push_back(static_cast<std::uint8_t>(value >> 8));
}

void put32(std::vector<std::uint8_t>& bytes, std::uint32_t value) {
  put16(bytes, value & 0xFFFFu);
  put16(bytes, value >> 16);
}

void putTag(std::vector<std::uint8_t>& bytes, const char* tag) {
  for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<std::uint8_t>(tag[i]));
}

}  // namespace

bool WriteWav(const char* path, const std::vector<std::int16_t>& samples, int sampleRate, std::string& error) {
  const std::uint32_t dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
  std::vector<std::uint8_t> bytes;
  bytes.reserve(44 + dataBytes);
  putTag(bytes, "RIFF");
  put32(bytes, 36 + dataBytes);
  putTag(bytes, "WAVE");
  putTag(bytes, "fmt ");
  put32(bytes, 16);
  put16(bytes, 1);  // PCM
  put16(bytes, 2);  // stereo
  put32(bytes, static_cast<std::uint32_t>(sampleRate));
  put32(bytes, static_cast<std::uint32_t>(sampleRate) * 4);
  put16(bytes, 4);
  put16(bytes, 16);
  putTag(bytes, "data");
  put32(bytes, dataBytes);
  for (std::int16_t sample : samples) put16(bytes, static_cast<std::uint16_t>(sample));
  std::FILE* file = std::fopen(path, "wb");
  if (file == nullptr) {
    error = std::string("cannot create ") + path;
    return false;
  }
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  if (std::fclose(file) != 0 || !written) {
    error = std::string("cannot write ") + path;
    return false;
  }
  return true;
}

}  // namespace music
