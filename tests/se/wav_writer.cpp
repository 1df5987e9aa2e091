// Helpers of the sound tests: WAV files and temporary folders.
#include "tests/se/wav_writer.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace se_test {

std::vector<std::uint8_t> MakeWav(const WavLayout& layout, const std::vector<std::int16_t>& samples) {
  std::vector<std::uint8_t> bytes;
  // Little-endian values of `size` bytes; four-letter chunk ids as they are.
  const auto put = [&bytes](std::uint32_t value, int size) {
    for (int index = 0; index < size; ++index) bytes.push_back(static_cast<std::uint8_t>(value >> (8 * index)));
  };
  const auto id = [&bytes](const char* text) {
    for (int index = 0; index < 4; ++index) bytes.push_back(static_cast<std::uint8_t>(text[index]));
  };
  const int blockAlign = layout.blockAlign >= 0 ? layout.blockAlign : layout.channels * layout.bitsPerSample / 8;
  const auto dataSize = static_cast<std::uint32_t>(samples.size() * 2);
  id("RIFF");
  put(4 + (8 + 16) + (8 + dataSize), 4);
  id("WAVE");
  id("fmt ");
  put(16, 4);
  put(static_cast<std::uint32_t>(layout.formatTag), 2);
  put(static_cast<std::uint32_t>(layout.channels), 2);
  put(static_cast<std::uint32_t>(layout.sampleRate), 4);
  put(static_cast<std::uint32_t>(layout.sampleRate * blockAlign), 4);
  put(static_cast<std::uint32_t>(blockAlign), 2);
  put(static_cast<std::uint32_t>(layout.bitsPerSample), 2);
  id("data");
  put(dataSize, 4);
  for (std::int16_t sample : samples) put(static_cast<std::uint16_t>(sample), 2);
  return bytes;
}

bool WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream file(path, std::ios::binary);
  if (!bytes.empty()) file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(file.flush());
}

TemporaryFolder::TemporaryFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "varnelle-se-XXXXXX").string();
  if (mkdtemp(pattern.data()) != nullptr) folder = pattern;
}

TemporaryFolder::~TemporaryFolder() {
  std::error_code ignored;
  if (!folder.empty()) std::filesystem::remove_all(folder, ignored);
}

}  // namespace se_test
