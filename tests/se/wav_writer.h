// Helpers of the sound tests: WAV files built in memory (well-formed or broken on purpose), and a
// temporary folder that removes itself.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace se_test {

struct WavLayout {
  int channels = 1;
  int sampleRate = 22050;
  int bitsPerSample = 16;
  int formatTag = 1;     // 1 PCM
  int blockAlign = -1;   // -1: channels × bits / 8
};

// A RIFF WAVE file with a "fmt " chunk and a "data" chunk holding `samples` as 16-bit values.
std::vector<std::uint8_t> MakeWav(const WavLayout& layout, const std::vector<std::int16_t>& samples);

bool WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes);

// A fresh folder under the system's temporary folder, removed with everything in it at the end.
class TemporaryFolder {
 public:
  TemporaryFolder();
  ~TemporaryFolder();
  TemporaryFolder(const TemporaryFolder&) = delete;
  TemporaryFolder& operator=(const TemporaryFolder&) = delete;
  const std::string& path() const { return folder; }
  std::string file(const std::string& name) const { return folder + "/" + name; }

 private:
  std::string folder;
};

}  // namespace se_test
