// The OpenAL sound engine on its loopback output: the tests mix the output themselves, so the
// music's position, its loop and the samples' lifetimes follow the frames rendered, not a clock.
#include "se/sound_engine_openal.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>
#include <string>
#include <vector>

#include "support/wav_writer.h"
#include "tests/support/temporary_folder.h"

namespace {

constexpr int kRate = se::ZSoundEngineOpenAL::kLoopbackRate;
// One game frame at 60 frames per second, in output frames.
constexpr int kFrameOfGame = kRate / 60;
const std::string kFixtures = VARNELLE_SE_FIXTURES;
// Mono tones at the loopback rate, so positions count output frames one for one.
const std::string kToneOneSecond = kFixtures + "/tone-a-1s.mp3";
const std::string kToneHalfSecond = kFixtures + "/tone-b-half-second.mp3";

class SoundEngineLoopback : public ::testing::Test {
 protected:
  SoundEngineLoopback() {
    engine.musicFiles[0] = std::wstring(kToneOneSecond.begin(), kToneOneSecond.end());
    engine.musicFiles[1] = std::wstring(kToneHalfSecond.begin(), kToneHalfSecond.end());
  }

  // Mixes `frames` frames of output and returns them (interleaved left and right, full scale ±1).
  std::vector<float> render(int frames) {
    std::vector<float> samples(static_cast<std::size_t>(frames) * 2);
    engine.RenderLoopback(samples.data(), frames);
    return samples;
  }

  static double rms(const std::vector<float>& samples, std::size_t from = 0) {
    double sum = 0.0;
    for (std::size_t index = from; index < samples.size(); ++index) sum += static_cast<double>(samples[index]) * samples[index];
    return samples.size() > from ? std::sqrt(sum / static_cast<double>(samples.size() - from)) : 0.0;
  }
  static bool silent(const std::vector<float>& samples) {
    return std::all_of(samples.begin(), samples.end(), [](float sample) { return sample == 0.0f; });
  }

  // Writes a 16-bit mono WAV of a 1 kHz tone, `frames` frames long, and loads it into `slot`.
  void loadTone(int slot, int frames) {
    std::vector<std::int16_t> tone;
    for (int frame = 0; frame < frames; ++frame) tone.push_back(static_cast<std::int16_t>(12000 * std::sin(2 * std::numbers::pi * 1000 * frame / kRate)));
    const std::string file = folder.file("tone" + std::to_string(slot) + ".wav");
    std::string error;
    ASSERT_TRUE(WriteWav(file, WavLayout{}, tone, error)) << error;
    ASSERT_TRUE(engine.LoadSound(slot, file.c_str()));
  }

  TemporaryFolder folder;
  se::ZSoundEngineOpenAL engine{se::SoundOutput::Loopback};
};

TEST_F(SoundEngineLoopback, StartsATrackAtOnceAtTheRequestedVolumeFromItsStartAndSilenceStopsItAtOnce) {
  EXPECT_EQ(-1, engine.CurrentTrack());
  EXPECT_EQ(-1, engine.RequestedTrack());

  engine.PlayMusic(0, 1.0f, true);
  EXPECT_EQ(0, engine.CurrentTrack());
  EXPECT_EQ(0, engine.RequestedTrack());
  EXPECT_EQ(0, engine.MusicVolume());
  EXPECT_EQ(0.0, engine.MusicPosition());
  // lame's Info tag gives mpg123 the exact length: 22050 samples at 22050 Hz.
  EXPECT_DOUBLE_EQ(1.0, engine.MusicStopTime());

  const auto full = render(4410);
  EXPECT_DOUBLE_EQ(0.2, engine.MusicPosition());
  EXPECT_GT(rms(full, 2048), 0.1);

  // Without fading, a playing track is started again from its start at the new volume.
  engine.PlayMusic(0, 0.5f, true);
  EXPECT_EQ(-5000, engine.RequestedVolume());
  EXPECT_EQ(-5000, engine.MusicVolume());
  EXPECT_EQ(0.0, engine.MusicPosition());
  const auto half = render(4410);
  // -5000 hundredths of a decibel is a gain of 10^-2.5.
  EXPECT_NEAR(std::pow(10.0, -2.5), rms(half, 2048) / rms(full, 2048), 0.0001);

  // Track -1 is silence: the music stops at once, and updates leave it alone.
  engine.PlayMusic(-1, 1.0f, true);
  EXPECT_EQ(-1, engine.RequestedTrack());
  EXPECT_EQ(0.0, engine.MusicStopTime());  // no track is open any more
  for (int frame = 0; frame < 30; ++frame) {
    engine.Update();
    EXPECT_TRUE(silent(render(kFrameOfGame))) << "frame " << frame;
  }
  EXPECT_EQ(-1, engine.CurrentTrack());
}

TEST_F(SoundEngineLoopback, FadeLowersHalfADecibelPerCallThenStartsTheNewTrackAtFullVolume) {
  engine.PlayMusic(0, 1.0f, true);
  const double loud = rms(render(2205), 1024);
  engine.PlayMusic(1, 0.3f, false);  // call 1
  EXPECT_EQ(-50, engine.MusicVolume());
  EXPECT_EQ(1, engine.RequestedTrack());
  for (int call = 2; call <= 199; ++call) {
    engine.Update();
    ASSERT_EQ(-50 * call, engine.MusicVolume()) << "call " << call;
    ASSERT_EQ(0, engine.CurrentTrack()) << "call " << call;
    if (call == 40) {  // the fading track plays on, quieter: -2000 is a gain of 1/10
      EXPECT_NEAR(0.1, rms(render(2205), 1024) / loud, 0.01);
    }
  }
  engine.Update();  // call 200
  EXPECT_EQ(1, engine.CurrentTrack());
  EXPECT_EQ(0, engine.MusicVolume());
  EXPECT_EQ(0, engine.RequestedVolume());
  EXPECT_EQ(0.0, engine.MusicPosition());
  EXPECT_DOUBLE_EQ(0.5, engine.MusicStopTime());
  EXPECT_GT(rms(render(4410), 2048), 0.1);
}

TEST_F(SoundEngineLoopback, TrackRestartsOnceItsPositionPassesATenthOfASecondBeforeItsEnd) {
  engine.PlayMusic(1, 1.0f, true);
  const double stopTime = engine.MusicStopTime();
  ASSERT_DOUBLE_EQ(0.5, stopTime);

  int restarts = 0;
  double highest = 0.0;
  for (int frame = 0; frame < 150; ++frame) {
    const auto output = render(kFrameOfGame);
    const double before = engine.MusicPosition();
    engine.Update();
    const double after = engine.MusicPosition();
    if (before > stopTime - 0.1) {
      ASSERT_EQ(0.0, after) << "frame " << frame;
      ++restarts;
    } else {
      ASSERT_EQ(before, after) << "frame " << frame;
      ASSERT_FALSE(silent(output)) << "the music stopped on frame " << frame;
    }
    highest = std::max(highest, before);
  }
  // 150 frames of 367 samples are 2.5 s: the track of 0.5 s restarts about every 0.4 s.
  EXPECT_GE(restarts, 5);
  EXPECT_EQ(1, engine.CurrentTrack());
  // Never later than one game frame past the restart point.
  EXPECT_LE(highest, stopTime - 0.1 + static_cast<double>(kFrameOfGame) / kRate + 1e-9);
}

TEST_F(SoundEngineLoopback, CopiesOfOneSamplePlayOnTheirOwnAndStopAllSoundsDeletesTheRest) {
  loadTone(0, 2205);
  se::XSound* looping = engine.PlaySound(0, 1.0f, true);
  se::XSound* once = engine.PlaySound(0, 0.5f, false);
  se::XSound* stopped = engine.PlaySound(0, 1.0f, true);
  ASSERT_NE(nullptr, looping);
  ASSERT_NE(nullptr, once);
  ASSERT_NE(nullptr, stopped);
  EXPECT_EQ(3u, engine.LiveSoundCount());

  stopped->Stop();
  engine.Update();  // the stopped copy is reaped, the others play on
  EXPECT_EQ(2u, engine.LiveSoundCount());

  EXPECT_GT(rms(render(1102)), 0.1);
  engine.Update();
  EXPECT_EQ(2u, engine.LiveSoundCount()) << "still playing after a part of it";
  render(5513);  // 0.3 s in all: the copy played once has ended, the looping one goes on
  engine.Update();
  EXPECT_EQ(1u, engine.LiveSoundCount());
  EXPECT_GT(rms(render(2205)), 0.1);

  engine.StopAllSounds();
  EXPECT_EQ(0u, engine.LiveSoundCount());
  render(256);
  EXPECT_TRUE(silent(render(1024)));
}

TEST_F(SoundEngineLoopback, BadSampleFileIsRefusedLeavingTheSlotAsItWasEmptySlotsPlayNothingAndAGoodOneReplacesIt) {
  loadTone(5, 22050);
  const std::string eightBit = folder.file("eight-bit.wav");
  WavLayout layout;
  layout.bitsPerSample = 8;
  std::string error;
  ASSERT_TRUE(WriteWav(eightBit, layout, {1, 2}, error)) << error;
  const std::string missing = folder.file("missing.wav");

  EXPECT_FALSE(engine.LoadSound(5, eightBit.c_str()));
  EXPECT_FALSE(engine.LoadSound(5, missing.c_str()));
  EXPECT_FALSE(engine.LoadSound(32, eightBit.c_str()));
  EXPECT_FALSE(engine.LoadSound(-1, eightBit.c_str()));
  EXPECT_FALSE(engine.LoadSound(6, missing.c_str()));
  EXPECT_NE(nullptr, engine.PlaySound(5, 1.0f, false));
  // An empty or unknown slot plays nothing.
  for (int slot : {6, -1, se::ZSoundEngineOpenAL::kSampleSlots}) EXPECT_EQ(nullptr, engine.PlaySound(slot, 1.0f, false)) << slot;

  // A good file replaces the slot's sample and deletes the sounds of the old one.
  ASSERT_NE(nullptr, engine.PlaySound(5, 1.0f, true));
  loadTone(5, 2205);
  EXPECT_EQ(0u, engine.LiveSoundCount());
  ASSERT_NE(nullptr, engine.PlaySound(5, 1.0f, false));
  render(4410);
  engine.Update();
  EXPECT_EQ(0u, engine.LiveSoundCount());  // the new, short sample has ended
}

TEST_F(SoundEngineLoopback, RefusedVolumeChangeIsReportedOnStandardOutput) {
  loadTone(1, 22050);
  se::XSound* sound = engine.PlaySound(1, 1.0f, true);
  ASSERT_NE(nullptr, sound);

  const double full = rms(render(4410), 2048);

  testing::internal::CaptureStdout();
  sound->SetVolume(0.8f);  // -2000: a tenth of the amplitude
  EXPECT_EQ("", testing::internal::GetCapturedStdout());
  const double tenth = rms(render(4410), 2048);
  EXPECT_NEAR(0.1, tenth / full, 0.002);

  // Above full volume is outside the control's range: refused, and the sound stays as it was.
  testing::internal::CaptureStdout();
  sound->SetVolume(2.0f);
  EXPECT_EQ("error on the volume change 40963 : DSERR_INVALIDPARAM\n", testing::internal::GetCapturedStdout());
  EXPECT_NEAR(1.0, rms(render(4410), 2048) / tenth, 0.02);
}

}  // namespace
