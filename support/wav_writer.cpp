#include "support/wav_writer.h"

#include "base/little_endian.h"
#include "support/file_bytes.h"

namespace {

// A chunk's four-letter id, as it is.
void appendId(std::vector<std::uint8_t>& bytes, const char* id) {
  for (int index = 0; index < 4; ++index) bytes.push_back(static_cast<std::uint8_t>(id[index]));
}

}  // namespace

std::vector<std::uint8_t> MakeWav(const WavLayout& layout, const std::vector<std::int16_t>& samples) {
  const int blockAlign = layout.blockAlign >= 0 ? layout.blockAlign : layout.channels * layout.bitsPerSample / 8;
  const auto dataSize = static_cast<std::uint32_t>(samples.size() * 2);
  std::vector<std::uint8_t> bytes;
  bytes.reserve(44 + dataSize);
  appendId(bytes, "RIFF");
  AppendUint32(bytes, 4 + (8 + 16) + (8 + dataSize));
  appendId(bytes, "WAVE");
  appendId(bytes, "fmt ");
  AppendUint32(bytes, 16);
  AppendUint16(bytes, static_cast<std::uint16_t>(layout.formatTag));
  AppendUint16(bytes, static_cast<std::uint16_t>(layout.channels));
  AppendUint32(bytes, static_cast<std::uint32_t>(layout.sampleRate));
  AppendUint32(bytes, static_cast<std::uint32_t>(layout.sampleRate * blockAlign));
  AppendUint16(bytes, static_cast<std::uint16_t>(blockAlign));
  AppendUint16(bytes, static_cast<std::uint16_t>(layout.bitsPerSample));
  appendId(bytes, "data");
  AppendUint32(bytes, dataSize);
  for (std::int16_t sample : samples) AppendUint16(bytes, static_cast<std::uint16_t>(sample));
  return bytes;
}

bool WriteWav(const std::string& path, const WavLayout& layout, const std::vector<std::int16_t>& samples,
              std::string& error) {
  return WriteFileBytes(path, MakeWav(layout, samples), error);
}
