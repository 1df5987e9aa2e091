// The DirectSound + DirectShow engine under Wine, on ALSA's silent default output (which plays in
// real time): the music's position running on and wrapping after the end, the restart from the
// graph's completion event, the volume, a sample played and reaped, the refused volume line, and
// the fatal errors of a game that cannot play its music, each in a child process.
#include "se/sound_engine_dsound.h"

#include <gtest/gtest.h>

#include <windows.h>
#undef PlaySound  // <mmsystem.h>'s macro, which would rename the engine's operation

#include <chrono>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "se/music_file_name.h"
#include "support/file_bytes.h"
#include "support/wav_writer.h"
#include "tests/support/temporary_folder.h"
#include "tests/support/test_window_win32.h"

namespace {

const std::string kFixtures = VARNELLE_SE_FIXTURES;
const std::string kToneOneSecond = kFixtures + "/tone-a-1s.mp3";
const std::string kToneHalfSecond = kFixtures + "/tone-b-half-second.mp3";

// Waits for the sound to get somewhere in real time: the bound only ends a broken run.
constexpr auto kGiveUp = std::chrono::seconds(30);

std::wstring wide(const std::string& name) {
  std::wstring result;
  EXPECT_TRUE(se::WidenFileName(name.c_str(), result)) << name;
  return result;
}

// The engine writes its messages to "Log.log" in the working folder: a folder of the test's own.
class WorkingFolder {
 public:
  explicit WorkingFolder(const std::string& folder) {
    GetCurrentDirectoryA(MAX_PATH, previous);
    SetCurrentDirectoryA(folder.c_str());
  }
  ~WorkingFolder() { SetCurrentDirectoryA(previous); }

 private:
  char previous[MAX_PATH] = {};
};

class SoundEngineDSound : public testing::Test {
 protected:
  SoundEngineDSound() : window(CreateMessageOnlyWindow()), engine(window) {}
  ~SoundEngineDSound() override { DestroyTestWindow(window); }

  // Runs frames of 10 ms until `done` says so or the bound passes; false when it passed.
  template <typename Condition>
  bool updateUntil(Condition done) {
    const auto giveUp = std::chrono::steady_clock::now() + kGiveUp;
    while (!done()) {
      if (std::chrono::steady_clock::now() > giveUp) return false;
      engine.Update();
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
  }

  TemporaryFolder folder;
  WorkingFolder workingFolder{folder.path()};
  HWND window;
  se::ZSoundEngineDSound engine;
};

TEST_F(SoundEngineDSound, MusicStartsAtFullVolumeFromItsStartAndItsPositionRunsOnInRealTime) {
  engine.musicFiles[0] = wide(kToneOneSecond);
  engine.PlayMusic(0, 1.0f, true);
  EXPECT_EQ(0, engine.CurrentTrack());
  EXPECT_EQ(0, engine.MusicVolume());
  EXPECT_LT(engine.MusicPosition(), 0.5);
  EXPECT_NEAR(1.0, engine.MusicStopTime(), 0.1);
  EXPECT_TRUE(updateUntil([&] { return engine.MusicPosition() >= 0.3; }));
  EXPECT_EQ(0, engine.CurrentTrack());
}

TEST_F(SoundEngineDSound, MusicWrapsBackToItsStartAfterItsEnd) {
  engine.musicFiles[0] = wide(kToneHalfSecond);
  engine.PlayMusic(0, 1.0f, true);
  double furthest = 0.0;
  const bool wrapped = updateUntil([&] {
    const double position = engine.MusicPosition();
    if (position > furthest) furthest = position;
    return furthest > 0.3 && position < furthest - 0.2;
  });
  EXPECT_TRUE(wrapped) << "furthest position " << furthest;
  // And it plays on from there.
  const double start = engine.MusicPosition();
  EXPECT_TRUE(updateUntil([&] { return engine.MusicPosition() > start + 0.05; }));
}

// A frame loop that stalls past the track's end sees the graph's completion, not a position near
// the end: the next Update starts the track again all the same.
TEST_F(SoundEngineDSound, MusicThatReachedItsEndUnseenStartsAgainOnTheNextUpdate) {
  engine.musicFiles[0] = wide(kToneHalfSecond);
  engine.PlayMusic(0, 1.0f, true);
  const auto giveUp = std::chrono::steady_clock::now() + kGiveUp;
  while (!engine.MusicCompleted() && std::chrono::steady_clock::now() < giveUp) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  ASSERT_TRUE(engine.MusicCompleted());
  EXPECT_EQ(engine.MusicStopTime(), engine.MusicPosition());

  engine.Update();
  EXPECT_FALSE(engine.MusicCompleted());
  EXPECT_LT(engine.MusicPosition(), engine.MusicStopTime());
  EXPECT_TRUE(updateUntil([&] { return engine.MusicPosition() >= 0.2; }));
}

TEST_F(SoundEngineDSound, MusicAtHalfVolumeIsAttenuatedBy5000AndSilenceStopsIt) {
  engine.musicFiles[0] = wide(kToneOneSecond);
  engine.PlayMusic(0, 0.5f, true);
  EXPECT_EQ(-5000, engine.MusicVolume());
  engine.PlayMusic(-1, 1.0f, true);
  EXPECT_EQ(-1, engine.CurrentTrack());
  EXPECT_EQ(-10000, engine.MusicVolume());
  engine.Update();
  EXPECT_EQ(-1, engine.CurrentTrack());
}

TEST_F(SoundEngineDSound, FadeLowersHalfADecibelPerCallThenStartsTheNewTrackAtFullVolume) {
  engine.musicFiles[0] = wide(kToneOneSecond);
  engine.musicFiles[1] = wide(kToneHalfSecond);
  engine.PlayMusic(0, 1.0f, true);
  engine.PlayMusic(1, 1.0f, false);
  EXPECT_EQ(-50, engine.MusicVolume());
  for (int call = 2; call <= 199; ++call) engine.Update();
  EXPECT_EQ(0, engine.CurrentTrack());
  EXPECT_EQ(-9950, engine.MusicVolume());
  engine.Update();
  EXPECT_EQ(1, engine.CurrentTrack());
  EXPECT_EQ(0, engine.MusicVolume());
  EXPECT_NEAR(0.5, engine.MusicStopTime(), 0.1);
}

class SoundEngineDSoundSamples : public SoundEngineDSound {
 protected:
  // A tenth of a second of a quiet square wave in `slot`.
  void loadTone(int slot) {
    std::vector<std::int16_t> samples(2205);
    for (std::size_t index = 0; index < samples.size(); ++index) samples[index] = (index / 25) % 2 ? 3000 : -3000;
    std::string error;
    ASSERT_TRUE(WriteWav(folder.file("tone.wav"), WavLayout{}, samples, error)) << error;
    ASSERT_TRUE(engine.LoadSound(slot, folder.file("tone.wav").c_str()));
  }
};

TEST_F(SoundEngineDSoundSamples, SamplePlaysAndIsReapedOnceItHasEnded) {
  loadTone(3);
  se::XSound* sound = engine.PlaySound(3, 1.0f, false);
  ASSERT_NE(nullptr, sound);
  EXPECT_EQ(1u, engine.LiveSoundCount());
  EXPECT_TRUE(updateUntil([&] { return engine.LiveSoundCount() == 0; }));
}

TEST_F(SoundEngineDSoundSamples, LoopingSamplePlaysOnUntilStopAllSounds) {
  loadTone(0);
  ASSERT_NE(nullptr, engine.PlaySound(0, 1.0f, true));
  ASSERT_NE(nullptr, engine.PlaySound(0, 0.5f, false));
  // The one-shot copy ends on its own; the looping one plays on.
  EXPECT_TRUE(updateUntil([&] { return engine.LiveSoundCount() == 1; }));
  engine.Update();
  EXPECT_EQ(1u, engine.LiveSoundCount());
  engine.StopAllSounds();
  EXPECT_EQ(0u, engine.LiveSoundCount());
}

TEST_F(SoundEngineDSoundSamples, EmptyOrUnknownSlotPlaysNothing) {
  EXPECT_EQ(nullptr, engine.PlaySound(7, 1.0f, false));
  EXPECT_EQ(nullptr, engine.PlaySound(32, 1.0f, false));
  EXPECT_EQ(nullptr, engine.PlaySound(-1, 1.0f, false));
  EXPECT_EQ(0u, engine.LiveSoundCount());
}

TEST_F(SoundEngineDSoundSamples, RefusedVolumeChangeIsReportedOnStandardOutput) {
  loadTone(1);
  se::XSound* sound = engine.PlaySound(1, 1.0f, true);
  ASSERT_NE(nullptr, sound);
  testing::internal::CaptureStdout();
  sound->SetVolume(0.8f);
  EXPECT_EQ("", testing::internal::GetCapturedStdout());
  // Above full volume: DirectSound refuses it as an invalid parameter (E_INVALIDARG).
  testing::internal::CaptureStdout();
  sound->SetVolume(2.0f);
  EXPECT_EQ("error on the volume change -2147024809 : DSERR_INVALIDPARAM\n", testing::internal::GetCapturedStdout());
}

// ---------------------------------------------------------------------------------------------
// The game's fatal errors, each in a child process (se_dsound_probe) in a folder of its own.

std::vector<std::string> readLines(const std::string& file) {
  std::ifstream stream(file);
  std::vector<std::string> lines;
  for (std::string line; std::getline(stream, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

struct ProbeRun {
  int exitCode = -1;
  std::vector<std::string> console;  // standard output, line by line
  std::vector<std::string> logFile;  // "Log.log" of the run's folder
};

HANDLE inheritableFile(const std::string& path) {
  SECURITY_ATTRIBUTES security{sizeof security, nullptr, TRUE};
  return CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &security, CREATE_ALWAYS,
                     FILE_ATTRIBUTE_NORMAL, nullptr);
}

ProbeRun runProbe(const std::string& arguments) {
  TemporaryFolder folder;
  HANDLE console = inheritableFile(folder.file("console.txt"));
  HANDLE errors = inheritableFile(folder.file("errors.txt"));
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = console;
  startup.hStdError = errors;
  std::string commandLine = "\"" VARNELLE_SE_DSOUND_PROBE "\" " + arguments;
  PROCESS_INFORMATION process{};
  ProbeRun run;
  if (CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, folder.path().c_str(),
                     &startup, &process)) {
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD exitCode = 0;
    GetExitCodeProcess(process.hProcess, &exitCode);
    run.exitCode = static_cast<int>(exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  } else {
    ADD_FAILURE() << "cannot start " << commandLine << ": error " << GetLastError();
  }
  CloseHandle(console);
  CloseHandle(errors);
  run.console = readLines(folder.file("console.txt"));
  run.logFile = readLines(folder.file("Log.log"));
  return run;
}

TEST(SoundEngineDSoundProbe, NormalRunLogsTheMusicMessagesOnly) {
  const ProbeRun run = runProbe("music \"" + kToneOneSecond + "\"");
  EXPECT_EQ(0, run.exitCode);
  const std::vector<std::string> expected = {"SE.message: Muzica!!!", "SE.message: not Muzic"};
  EXPECT_EQ(expected, run.console);
  EXPECT_EQ(expected, run.logFile);
}

// The player looks in Log.log: the line before the fatal one names the file and what is wrong.
TEST(SoundEngineDSoundProbe, MissingMusicFileEndsTheProgramWithCannotRunMusicAfterALineSayingWhy) {
  TemporaryFolder folder;
  const struct {
    std::string file;
    std::string reason;
  } cases[] = {
      {"../music/main.mp3", "cannot be opened: No such file or directory"},
      {folder.path(), "is a folder, not a file"},
  };
  for (const auto& each : cases) {
    const ProbeRun run = runProbe("music \"" + each.file + "\"");
    EXPECT_EQ(1, run.exitCode) << each.file;
    const std::vector<std::string> expected = {"SE.message: Muzica!!!",
                                               "SE.message: music file \"" + each.file + "\" " + each.reason,
                                               "SE.error: cannot run music"};
    EXPECT_EQ(expected, run.logFile) << each.file;
    EXPECT_EQ(expected, run.console) << each.file;
  }
}

// A file DirectShow takes as a source but finds no decoder for plays as silence, and says so.
TEST(SoundEngineDSoundProbe, MusicFileWithNoDecodableSoundLeavesTheMusicSilentAfterALineSayingWhy) {
  TemporaryFolder folder;
  std::string error;
  ASSERT_TRUE(WriteFileBytes(folder.file("empty.mp3"), {}, error)) << error;
  const std::string text = "this is no MPEG audio";
  std::vector<std::uint8_t> textBytes(text.begin(), text.end());
  textBytes.resize(4096, 0);
  ASSERT_TRUE(WriteFileBytes(folder.file("text.mp3"), textBytes, error)) << error;
  const struct {
    std::string file;
    std::string reason;
  } cases[] = {
      {folder.file("empty.mp3"), "is empty"},
      {folder.file("text.mp3"), "cannot be decoded here (DirectShow error 0x80040218)"},
  };
  for (const auto& each : cases) {
    const ProbeRun run = runProbe("music \"" + each.file + "\"");
    EXPECT_EQ(0, run.exitCode) << each.file;
    const std::vector<std::string> expected = {
        "SE.message: Muzica!!!", "SE.message: music file \"" + each.file + "\" " + each.reason + ": the music stays silent",
        "SE.message: not Muzic"};
    EXPECT_EQ(expected, run.logFile) << each.file;
    EXPECT_EQ(expected, run.console) << each.file;
  }
}

}  // namespace
