// Helpers of the sound tests: WAV files, tones, temporary folders.
#include "tests/se/wav_writer.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <numbers>

namespace se_test {

namespace {

void PutUint16(std::vector<std::uint8_t>& bytes, unsigned value) {
  bytes.push_back(static_cast<std::uint8_t>(value & 0xFF));
  bytes.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
}

void PutUint32(std::vector<std::uint8_t>& bytes, std::uint32_t value) {
  PutUint16(bytes, value & 0xFFFF);
  PutUint16(bytes, value >> 16);
}

void PutId(std::vector<std::uint8_t>& bytes, const char* id) {
  for (int index = 0; index < 4; ++index) {
    bytes.push_back(static_cast<std::uint8_t>(id[index]));
  }
}

}  // namespace

std::vector<std::uint8_t> MakeWav(const WavLayout& layout, const std::vector<std::int16_t>& samples) {
  const int blockAlign =
      layout.blockAlign >= 0 ? layout.blockAlign : layout.channels * layout.bitsPerSample / 8;
  const auto dataSize = static_cast<std::uint32_t>(samples.size() * 2);
  std::vector<std::uint8_t> bytes;
  PutId(bytes, "RIFF");
  PutUint32(bytes, 4 + (8 + 16) + (8 + dataSize));
  PutId(bytes, "WAVE");
  PutId(bytes, "fmt ");
  PutUint32(bytes, 16);
  PutUint16(bytes, static_cast<unsigned>(layout.formatTag));
  PutUint16(bytes, static_cast<unsigned>(layout.channels));
  PutUint32(bytes, static_cast<std::uint32_t>(layout.sampleRate));
  PutUint32(bytes, static_cast<std::uint32_t>(layout.sampleRate * blockAlign));
  PutUint16(bytes, static_cast<unsigned>(blockAlign));
  PutUint16(bytes, static_cast<unsigned>(layout.bitsPerSample));
  PutId(bytes, "data");
  PutUint32(bytes, dataSize);
  for (std::int16_t sample : samples) {
    PutUint16(bytes, static_cast<std::uint16_t>(sample));
  }
  return bytes;
}

std::vector<std::int16_t> Tone(int frames, int channels, double frequency, int sampleRate, int amplitude) {
  std::vector<std::int16_t> samples;
  samples.reserve(static_cast<std::size_t>(frames) * channels);
  for (int frame = 0; frame < frames; ++frame) {
    const double value = amplitude * std::sin(2.0 * std::numbers::pi * frequency * frame / sampleRate);
    for (int channel = 0; channel < channels; ++channel) {
      samples.push_back(static_cast<std::int16_t>(std::lround(value)));
    }
  }
  return samples;
}

bool WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) {
    return false;
  }
  // fwrite must not be handed the null data of an empty vector, even for no bytes.
  const bool written = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && written;
}

TemporaryFolder::TemporaryFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "varnelle-se-XXXXXX").string();
  if (mkdtemp(pattern.data()) != nullptr) {
    folder = pattern;
  }
}

TemporaryFolder::~TemporaryFolder() {
  if (!folder.empty()) {
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
  }
}

}  // namespace se_test
