// 16-bit PCM WAV files: what is read, and what is refused with which reason.
#include "se/wav_file.h"

#include <gtest/gtest.h>

#include "support/wav_writer.h"
#include "tests/support/temporary_folder.h"

namespace {

// Parses and returns the refusal reason ("" when the file is taken).
std::string refusal(const std::vector<std::uint8_t>& bytes) {
  se::WavSound sound;
  std::string error;
  return se::ParseWav(bytes.data(), bytes.size(), sound, error) ? "" : error;
}

// The samples read, or nothing when the file is refused.
std::vector<std::int16_t> samples(const std::vector<std::uint8_t>& bytes, int channels, int rate) {
  se::WavSound sound;
  std::string error;
  EXPECT_TRUE(se::ParseWav(bytes.data(), bytes.size(), sound, error)) << error;
  EXPECT_EQ(channels, sound.channels);
  EXPECT_EQ(rate, sound.sampleRate);
  return sound.samples;
}

TEST(WavFile, ReadsMonoAndStereoSkippingUnknownChunksAndATrailingPartialFrame) {
  const std::vector<std::int16_t> mono = {0, 1, -1, 32767, -32768};
  EXPECT_EQ(mono, samples(MakeWav(WavLayout{}, mono), 1, 22050));
  WavLayout stereo;
  stereo.channels = 2;
  stereo.sampleRate = 44100;
  EXPECT_EQ((std::vector<std::int16_t>{10, -10, 20, -20}), samples(MakeWav(stereo, {10, -10, 20, -20}), 2, 44100));
  EXPECT_EQ((std::vector<std::int16_t>{1, 2}), samples(MakeWav(stereo, {1, 2, 3}), 2, 44100));  // 1.5 frames
  // A "LIST" chunk of odd size 3 plus its pad byte, between "fmt " and "data".
  auto bytes = MakeWav(WavLayout{}, {5, 6});
  const std::vector<std::uint8_t> list = {'L', 'I', 'S', 'T', 3, 0, 0, 0, 'a', 'b', 'c', 0};
  bytes.insert(bytes.begin() + 36, list.begin(), list.end());
  EXPECT_EQ((std::vector<std::int16_t>{5, 6}), samples(bytes, 1, 22050));
}

TEST(WavFile, RefusesWhatIsNotSixteenBitPcm) {
  EXPECT_EQ("not a RIFF WAVE file", refusal({}));
  EXPECT_EQ("not a RIFF WAVE file", refusal({'R', 'I', 'F', 'F', 0, 0, 0, 0, 'A', 'V', 'I', ' '}));
  const auto layout = [](int WavLayout::*field, int value) {
    WavLayout changed;
    changed.*field = value;
    return changed;
  };
  EXPECT_EQ("the samples are not 16-bit", refusal(MakeWav(layout(&WavLayout::bitsPerSample, 8), {1})));
  EXPECT_EQ("the samples are not PCM", refusal(MakeWav(layout(&WavLayout::formatTag, 3), {1})));
  EXPECT_EQ("only mono and stereo sounds can be played", refusal(MakeWav(layout(&WavLayout::channels, 6), {1, 2, 3, 4, 5, 6})));
  EXPECT_EQ("the sample rate is out of range", refusal(MakeWav(layout(&WavLayout::sampleRate, 0), {1})));
  EXPECT_EQ("the block alignment does not match 16-bit samples", refusal(MakeWav(layout(&WavLayout::blockAlign, 3), {1})));
  EXPECT_EQ("the sound has no samples", refusal(MakeWav(WavLayout{}, {})));
  auto shortFmt = MakeWav(WavLayout{}, {1});
  shortFmt[16] = 12;  // "fmt " claims 12 bytes: the 4 that follow become a chunk header
  EXPECT_EQ("the \"fmt \" chunk is shorter than 16 bytes", refusal(shortFmt));
  auto dataFirst = MakeWav(WavLayout{}, {1});
  dataFirst[12] = 'J';  // "fmt " becomes an unknown chunk "Jmt "
  EXPECT_EQ("the \"data\" chunk comes before the \"fmt \" chunk", refusal(dataFirst));
}

TEST(WavFile, RefusesChunksThatRunPastTheEndWithoutReadingThere) {
  const auto whole = MakeWav(WavLayout{}, {1, 2, 3, 4});
  // Cut inside the samples: the "data" chunk claims more than the file holds.
  std::vector<std::uint8_t> cut(whole.begin(), whole.end() - 3);
  EXPECT_EQ("a chunk runs past the end of the file", refusal(cut));
  // Cut inside the "fmt " chunk.
  std::vector<std::uint8_t> header(whole.begin(), whole.begin() + 30);
  EXPECT_EQ("a chunk runs past the end of the file", refusal(header));
  // Cut right after "fmt ": no "data" at all.
  std::vector<std::uint8_t> noData(whole.begin(), whole.begin() + 36);
  EXPECT_EQ("there is no \"data\" chunk", refusal(noData));
  // A chunk size near 4 GiB must not wrap any offset around.
  auto huge = whole;
  huge[40] = huge[41] = huge[42] = huge[43] = 0xFF;
  EXPECT_EQ("a chunk runs past the end of the file", refusal(huge));
  // Every shorter prefix of a good file is refused, never read past.
  for (std::size_t length = 0; length < whole.size(); ++length) {
    std::vector<std::uint8_t> prefix(whole.begin(), whole.begin() + static_cast<long>(length));
    EXPECT_NE("", refusal(prefix)) << length;
  }
}

TEST(WavFile, FileReadNamesTheFileInItsRefusal) {
  TemporaryFolder folder;
  se::WavSound sound;
  std::string error;
  const std::string missing = folder.file("missing.wav");
  EXPECT_FALSE(se::ReadWavFile(missing.c_str(), sound, error));
  EXPECT_EQ(missing + ": cannot be opened", error);

  const std::string eightBit = folder.file("eight-bit.wav");
  WavLayout layout;
  layout.bitsPerSample = 8;
  ASSERT_TRUE(WriteWav(eightBit, layout, {1}, error)) << error;
  EXPECT_FALSE(se::ReadWavFile(eightBit.c_str(), sound, error));
  EXPECT_EQ(eightBit + ": the samples are not 16-bit", error);

  const std::string good = folder.file("good.wav");
  ASSERT_TRUE(WriteWav(good, WavLayout{}, {9, -9}, error)) << error;
  ASSERT_TRUE(se::ReadWavFile(good.c_str(), sound, error)) << error;
  EXPECT_EQ((std::vector<std::int16_t>{9, -9}), sound.samples);
}

}  // namespace
