// The OpenAL sound engine on a real output: OpenAL Soft's silent "null" device, which plays in
// real time on its own mixer thread, and the fatal errors of start-up, each in a child process.
#include "se/sound_engine_openal.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <chrono>
#include <random>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "support/file_bytes.h"
#include "support/wav_writer.h"
#include "tests/support/file_contents.h"
#include "tests/support/temporary_folder.h"

namespace {

const std::string kFixtures = VARNELLE_SE_FIXTURES;
const std::string kToneOneSecond = kFixtures + "/tone-a-1s.mp3";

struct ProbeRun {
  int exitCode = -1;
  std::vector<std::string> console;  // standard output, line by line
  std::vector<std::string> logFile;  // "Log.log" of the run's folder
  std::vector<std::string> errors;   // standard error, line by line
};

// Runs se_fatal_probe in a folder of its own with the given OpenAL drivers.
ProbeRun runProbe(const std::string& drivers, const std::string& arguments) {
  TemporaryFolder folder;
  const std::string command = "cd '" + folder.path() + "' && ALSOFT_DRIVERS=" + drivers + " '" +
                              VARNELLE_SE_FATAL_PROBE + "' " + arguments + " > console.txt 2> errors.txt";
  const int status = std::system(command.c_str());
  ProbeRun run;
  run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  run.console = ReadFileLines(folder.file("console.txt"));
  run.logFile = ReadFileLines(folder.file("Log.log"));
  run.errors = ReadFileLines(folder.file("errors.txt"));
  return run;
}

TEST(SoundEngineDevice, NullOutputPlaysTheMusicInRealTime) {
  se::ZSoundEngineOpenAL engine;
  engine.musicFiles[0] = std::wstring(kToneOneSecond.begin(), kToneOneSecond.end());
  engine.PlayMusic(0, 1.0f, true);
  EXPECT_EQ(0, engine.CurrentTrack());
  // The position follows the device's clock: wait for it with a generous bound, as a frame loop.
  const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (engine.MusicPosition() < 0.3 && std::chrono::steady_clock::now() < giveUp) {
    engine.Update();
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  EXPECT_GE(engine.MusicPosition(), 0.3);
  EXPECT_EQ(0, engine.CurrentTrack());
}

TEST(SoundEngineDevice, NormalRunLogsTheMusicMessagesOnly) {
  const ProbeRun run = runProbe("null", "music '" + kToneOneSecond + "'");
  EXPECT_EQ(0, run.exitCode);
  const std::vector<std::string> expected = {"SE.message: Muzica!!!", "SE.message: not Muzic"};
  EXPECT_EQ(expected, run.console);
  EXPECT_EQ(expected, run.logFile);
}

// The player looks in Log.log: the line before the fatal one names the file and what is wrong
// with it, and nothing goes to the error stream alone.
TEST(SoundEngineDevice, DamagedOrMissingMusicFileEndsTheProgramWithCannotRunMusicAfterALineSayingWhy) {
  TemporaryFolder folder;
  const std::vector<char> chars = ReadFileChars(kToneOneSecond);
  const std::vector<std::uint8_t> tone(chars.begin(), chars.end());
  ASSERT_GT(tone.size(), 2000u);
  std::vector<std::uint8_t> randomBytes(8192);
  std::mt19937 generator(7);
  for (std::uint8_t& byte : randomBytes) byte = static_cast<std::uint8_t>(generator() >> 24);
  const std::string text = "this is no MPEG audio";
  std::vector<std::uint8_t> textBytes(text.begin(), text.end());
  textBytes.resize(4096, 0);

  const struct {
    std::string name;
    std::vector<std::uint8_t> bytes;
    std::string reason;
  } damaged[] = {
      {"empty.mp3", {}, "is empty"},
      {"random.mp3", randomBytes, "holds no MPEG audio"},
      {"text.mp3", textBytes, "holds no MPEG audio"},
      {"cut-in-first-frame.mp3", {tone.begin(), tone.begin() + 300}, "holds no MPEG audio"},
      // lame's header says 22050 samples; the 2000 bytes hold 4608 of them.
      {"cut-short.mp3", {tone.begin(), tone.begin() + 2000}, "is cut short: its header gives 1.000 s, only 0.209 s are there"},
  };
  struct Case {
    std::string file;
    std::string reason;
  };
  std::vector<Case> cases = {
      {"../music/no-such-track.mp3", "cannot be opened: No such file or directory"},
      {folder.path(), "is a folder, not a file"},
  };
  // A sound of another format: a WAV file under an MP3 name.
  const std::vector<std::int16_t> samples(22050, 1000);
  std::string wavError;
  ASSERT_TRUE(WriteWav(folder.file("wave.mp3"), WavLayout{}, samples, wavError)) << wavError;
  cases.push_back({folder.file("wave.mp3"), "holds no MPEG audio"});
  for (const auto& each : damaged) {
    std::string error;
    ASSERT_TRUE(WriteFileBytes(folder.file(each.name), each.bytes, error)) << error;
    cases.push_back({folder.file(each.name), each.reason});
  }

  for (const Case& each : cases) {
    const ProbeRun run = runProbe("null", "music '" + each.file + "'");
    EXPECT_EQ(1, run.exitCode) << each.file;
    const std::vector<std::string> expected = {"SE.message: Muzica!!!",
                                               "SE.message: music file \"" + each.file + "\" " + each.reason,
                                               "SE.error: cannot run music"};
    EXPECT_EQ(expected, run.logFile) << each.file;
    EXPECT_EQ(expected, run.console) << each.file;
    EXPECT_EQ(std::vector<std::string>{}, run.errors) << each.file;
  }
}

TEST(SoundEngineDevice, NoOutputDeviceEndsTheProgramWithCannotCreateDirectSound) {
  const ProbeRun run = runProbe("no-such-driver", "device");
  EXPECT_EQ(1, run.exitCode);
  const std::vector<std::string> expected = {"SE.message: Muzica!!!", "SE.error: cannot create direct sound"};
  EXPECT_EQ(expected, run.console);
  EXPECT_EQ(expected, run.logFile);
}

}  // namespace
