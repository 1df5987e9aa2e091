// 16-bit PCM WAV files: the RIFF container, its "fmt " and "data" chunks, nothing else.
#include "se/wav_file.h"

#include <cstdio>
#include <memory>

#include "base/little_endian.h"

namespace se {

namespace {

// A sample file larger than this is surely not a sound effect; refusing it early keeps a broken
// or hostile file from making the game allocate without bound.
constexpr std::size_t kLargestFile = 64u * 1024u * 1024u;
constexpr std::uint16_t kFormatPcm = 1;
constexpr std::uint16_t kFormatExtensible = 0xFFFE;
constexpr int kHighestRate = 384000;

bool hasId(const std::uint8_t* at, const char* id) {
  return at[0] == id[0] && at[1] == id[1] && at[2] == id[2] && at[3] == id[3];
}

bool refuse(std::string& error, const char* reason) {
  error = reason;
  return false;
}

bool parseFormat(const std::uint8_t* chunk, std::uint32_t size, WavSound& sound, std::string& error) {
  if (size < 16) {
    return refuse(error, "the \"fmt \" chunk is shorter than 16 bytes");
  }
  std::uint16_t format = ReadUint16(chunk);
  const std::uint16_t channels = ReadUint16(chunk + 2);
  const std::uint32_t rate = ReadUint32(chunk + 4);
  const std::uint16_t blockAlign = ReadUint16(chunk + 12);
  const std::uint16_t bits = ReadUint16(chunk + 14);
  if (format == kFormatExtensible) {
    // The real format is the first two bytes of the sub-format GUID at offset 24.
    if (size < 40) {
      return refuse(error, "the extensible \"fmt \" chunk is shorter than 40 bytes");
    }
    format = ReadUint16(chunk + 24);
  }
  if (format != kFormatPcm) {
    return refuse(error, "the samples are not PCM");
  }
  if (bits != 16) {
    return refuse(error, "the samples are not 16-bit");
  }
  if (channels != 1 && channels != 2) {
    return refuse(error, "only mono and stereo sounds can be played");
  }
  if (rate == 0 || rate > kHighestRate) {
    return refuse(error, "the sample rate is out of range");
  }
  if (blockAlign != channels * 2) {
    return refuse(error, "the block alignment does not match 16-bit samples");
  }
  sound.channels = channels;
  sound.sampleRate = static_cast<int>(rate);
  return true;
}

}  // namespace

bool ParseWav(const std::uint8_t* bytes, std::size_t size, WavSound& sound, std::string& error) {
  if (size < 12 || !hasId(bytes, "RIFF") || !hasId(bytes + 8, "WAVE")) {
    return refuse(error, "not a RIFF WAVE file");
  }
  bool haveFormat = false;
  std::size_t offset = 12;
  // Chunks follow one another, each an id, a size and the data padded to an even length.
  while (size - offset >= 8) {
    const std::uint8_t* header = bytes + offset;
    const std::uint32_t chunkSize = ReadUint32(header + 4);
    const std::size_t dataStart = offset + 8;
    if (chunkSize > size - dataStart) {
      return refuse(error, "a chunk runs past the end of the file");
    }
    const std::uint8_t* chunk = bytes + dataStart;
    if (hasId(header, "fmt ")) {
      if (!parseFormat(chunk, chunkSize, sound, error)) {
        return false;
      }
      haveFormat = true;
    } else if (hasId(header, "data")) {
      if (!haveFormat) {
        return refuse(error, "the \"data\" chunk comes before the \"fmt \" chunk");
      }
      // A trailing partial frame cannot be played; it is dropped.
      const std::size_t frameBytes = static_cast<std::size_t>(sound.channels) * 2;
      const std::size_t frames = chunkSize / frameBytes;
      if (frames == 0) {
        return refuse(error, "the sound has no samples");
      }
      sound.samples.resize(frames * sound.channels);
      for (std::size_t index = 0; index < sound.samples.size(); ++index) {
        sound.samples[index] = static_cast<std::int16_t>(ReadUint16(chunk + index * 2));
      }
      return true;
    }
    const std::size_t padded = static_cast<std::size_t>(chunkSize) + (chunkSize & 1u);
    if (padded > size - dataStart) {
      break;  // the last chunk's pad byte is missing: nothing follows it anyway
    }
    offset = dataStart + padded;
  }
  return refuse(error, haveFormat ? "there is no \"data\" chunk" : "there is no \"fmt \" chunk");
}

bool ReadWavFile(const char* file, WavSound& sound, std::string& error) {
  struct FileCloser {
    void operator()(std::FILE* stream) const { std::fclose(stream); }
  };
  std::unique_ptr<std::FILE, FileCloser> stream(std::fopen(file, "rb"));
  if (!stream) {
    error = std::string(file) + ": cannot be opened";
    return false;
  }
  std::vector<std::uint8_t> bytes;
  std::uint8_t block[65536];
  std::size_t got = 0;
  while ((got = std::fread(block, 1, sizeof block, stream.get())) > 0) {
    if (bytes.size() + got > kLargestFile) {
      error = std::string(file) + ": larger than 64 MiB";
      return false;
    }
    bytes.insert(bytes.end(), block, block + got);
  }
  if (std::ferror(stream.get())) {
    error = std::string(file) + ": cannot be read";
    return false;
  }
  std::string reason;
  if (!ParseWav(bytes.data(), bytes.size(), sound, reason)) {
    error = std::string(file) + ": " + reason;
    return false;
  }
  return true;
}

}  // namespace se
