// The OpenAL sound engine on a real output: OpenAL Soft's silent "null" device, which plays in
// real time on its own mixer thread, and the fatal errors of start-up, each in a child process.
#include "se/sound_engine_openal.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "support/file_bytes.h"
#include "tests/support/temporary_folder.h"

namespace {

const std::string kFixtures = VARNELLE_SE_FIXTURES;
const std::string kToneOneSecond = kFixtures + "/tone-a-1s.mp3";

std::vector<std::string> readLines(const std::string& file) {
  std::ifstream stream(file);
  std::vector<std::string> lines;
  for (std::string line; std::getline(stream, line);) {
    lines.push_back(line);
  }
  return lines;
}

struct ProbeRun {
  int exitCode = -1;
  std::vector<std::string> console;  // standard output, line by line
  std::vector<std::string> logFile;  // "Log.log" of the run's folder
};

// Runs se_fatal_probe in a folder of its own with the given OpenAL drivers.
ProbeRun runProbe(const std::string& drivers, const std::string& arguments) {
  TemporaryFolder folder;
  const std::string command = "cd '" + folder.path() + "' && ALSOFT_DRIVERS=" + drivers + " '" +
                              VARNELLE_SE_FATAL_PROBE + "' " + arguments + " > console.txt 2> errors.txt";
  const int status = std::system(command.c_str());
  ProbeRun run;
  run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  run.console = readLines(folder.file("console.txt"));
  run.logFile = readLines(folder.file("Log.log"));
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

TEST(SoundEngineDevice, MissingOrBrokenMusicFileEndsTheProgramWithCannotRunMusic) {
  TemporaryFolder folder;
  const std::string notMusic = folder.file("not-music.mp3");
  std::vector<std::uint8_t> bytes(4096, 0);
  const std::string text = "this is no MPEG audio";
  bytes.insert(bytes.begin(), text.begin(), text.end());
  std::string error;
  ASSERT_TRUE(WriteFileBytes(notMusic, bytes, error)) << error;
  const std::string emptyFile = folder.file("empty.mp3");
  ASSERT_TRUE(WriteFileBytes(emptyFile, {}, error)) << error;

  for (const std::string& file : {std::string("../music/no-such-track.mp3"), notMusic, emptyFile}) {
    const ProbeRun run = runProbe("null", "music '" + file + "'");
    EXPECT_EQ(1, run.exitCode) << file;
    ASSERT_FALSE(run.console.empty()) << file;
    EXPECT_EQ("SE.error: cannot run music", run.console.back()) << file;
    EXPECT_EQ((std::vector<std::string>{"SE.message: Muzica!!!", "SE.error: cannot run music"}), run.logFile) << file;
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
