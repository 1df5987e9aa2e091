// The music policy on a fake output that records every call: which calls a switch, a fade, a loop
// and silence make, in which order and with which values, and the fatal end of an unplayable track.
#include "se/music_policy.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/temporary_folder.h"

namespace {

// A music output that plays nothing: it records the calls that change it, reads back what was
// set, and reports the position and length the test gives it.
class FakeOutput final : public se::MusicOutput {
 public:
  bool Open(const std::wstring& file, std::string& reason) override {
    calls.push_back("Open " + std::string(file.begin(), file.end()));
    reason = refusal;
    return refusal.empty();
  }
  void Close() override { calls.push_back("Close"); }
  void Run() override { calls.push_back("Run"); }
  void Stop() override { calls.push_back("Stop"); }
  void Seek(double seconds) override { calls.push_back("Seek " + std::to_string(seconds)); }
  double Position() override {
    ++reads;
    return position;
  }
  double StopTime() override {
    ++reads;
    return stopTime;
  }
  void SetVolume(std::int32_t hundredths) override {
    calls.push_back("SetVolume " + std::to_string(hundredths));
    volume = hundredths;
  }
  std::int32_t Volume() override {
    ++reads;
    return volume;
  }

  // Returns the calls made since the last time and forgets them.
  std::vector<std::string> takeCalls() { return std::exchange(calls, {}); }

  std::vector<std::string> calls;
  int reads = 0;
  std::string refusal;  // Open refuses with this reason unless it is empty
  double position = 0.0;
  double stopTime = 60.0;
  std::int32_t volume = 0;
};

using Calls = std::vector<std::string>;
const std::string kSeekToStart = "Seek " + std::to_string(0.0);

class MusicPolicy : public ::testing::Test {
 protected:
  MusicPolicy() {
    files[0] = L"a.mp3";
    files[1] = L"b.mp3";
  }

  // Starts track 0 at `volume` and forgets the calls that took.
  void startFirstTrack(float volume) {
    policy.PlayMusic(0, volume, true);
    output.takeCalls();
  }

  FakeOutput output;
  std::wstring files[4];
  se::MusicPolicy policy{output, files};
};

TEST_F(MusicPolicy, WithNothingPlayingATrackStartsAtOnceFromItsStartAtItsVolumeEvenWhenAskedToFade) {
  const struct {
    float volume;
    bool immediately;
    std::int32_t hundredths;
  } cases[] = {{1.0f, true, 0},       {1.0f, false, 0},      {0.5f, true, -5000},
               {0.75f, false, -2500}, {0.0f, true, -10000}, {0.99995f, true, 0}};
  for (const auto& each : cases) {
    FakeOutput output;
    se::MusicPolicy policy(output, files);
    policy.PlayMusic(1, each.volume, each.immediately);
    EXPECT_EQ((Calls{"Open b.mp3", kSeekToStart, "SetVolume " + std::to_string(each.hundredths), "Run"}),
              output.calls)
        << each.volume << (each.immediately ? " at once" : " with a fade");
    EXPECT_EQ(1, policy.CurrentTrack());
    EXPECT_EQ(1, policy.RequestedTrack());
    EXPECT_EQ(each.hundredths, policy.RequestedVolume());
  }
}

TEST_F(MusicPolicy, SwitchAtOnceSilencesStopsAndClosesTheOldTrackBeforeStartingTheNew) {
  startFirstTrack(1.0f);
  policy.PlayMusic(1, 0.5f, true);
  EXPECT_EQ((Calls{"SetVolume -10000", "Stop", "Close", "Open b.mp3", kSeekToStart, "SetVolume -5000", "Run"}),
            output.takeCalls());
  EXPECT_EQ(1, policy.CurrentTrack());
  // The same track asked for again starts again from its start.
  policy.PlayMusic(1, 1.0f, true);
  EXPECT_EQ((Calls{"SetVolume -10000", "Stop", "Close", "Open b.mp3", kSeekToStart, "SetVolume 0", "Run"}),
            output.takeCalls());
}

TEST_F(MusicPolicy, SilenceAtOnceClosesTheTrackAndUpdatesThenLeaveTheOutputAlone) {
  startFirstTrack(1.0f);
  policy.PlayMusic(-1, 1.0f, true);
  EXPECT_EQ((Calls{"SetVolume -10000", "Stop", "Close"}), output.takeCalls());
  EXPECT_EQ(-1, policy.CurrentTrack());

  output.reads = 0;
  output.position = 1000.0;  // even a position past the end does not start anything
  for (int frame = 0; frame < 5; ++frame) policy.Update();
  EXPECT_EQ(Calls{}, output.calls);
  EXPECT_EQ(0, output.reads);
  EXPECT_EQ(-1, policy.CurrentTrack());
}

TEST_F(MusicPolicy, NothingAskedNothingPlayed) {
  for (int frame = 0; frame < 5; ++frame) policy.Update();
  EXPECT_EQ(Calls{}, output.calls);
  EXPECT_EQ(0, output.reads);
  EXPECT_EQ(-1, policy.CurrentTrack());
}

// Each call of a fade lowers the old track by 50 until a call finds it at -9950 or lower; that call
// switches. The switch made by an Update starts the new track at full volume, whatever volume the
// fade was asked with.
TEST_F(MusicPolicy, FadeLowersHalfADecibelPerCallAndSwitchesOnTheCallThatFindsTheTrackQuiet) {
  const struct {
    std::int32_t startVolume;  // of the old track, in hundredths of a decibel
    int fadeCalls;             // calls that only lower the volume
    std::int32_t newTrackVolume;
  } cases[] = {
      {0, 199, 0},           // 0 → -9950 in 199 calls; the 200th, an Update, switches
      {-5000, 99, 0},        // -5000 → -9950 in 99 calls
      {-9949, 1, 0},         // one step to -9999
      {-9950, 0, -7000},     // quiet enough: the asking call itself switches, at the asked volume
      {-10000, 0, -7000},
  };
  for (const auto& each : cases) {
    FakeOutput output;
    se::MusicPolicy policy(output, files);
    policy.PlayMusic(0, 1.0f, true);
    output.volume = each.startVolume;
    std::int32_t volume = output.volume;
    output.takeCalls();

    int calls = 0;
    policy.PlayMusic(1, 0.3f, false);
    ++calls;
    while (policy.CurrentTrack() == 0 && calls < 1000) {
      const Calls made = output.takeCalls();
      ASSERT_EQ(Calls{"SetVolume " + std::to_string(volume - 50)}, made) << each.startVolume << ", call " << calls;
      volume -= 50;
      policy.Update();
      ++calls;
    }
    EXPECT_EQ(each.fadeCalls + 1, calls) << each.startVolume;
    EXPECT_EQ((Calls{"Stop", "Close", "Open b.mp3", kSeekToStart, "SetVolume " + std::to_string(each.newTrackVolume),
                     "Run"}),
              output.takeCalls())
        << each.startVolume;
    EXPECT_EQ(1, policy.CurrentTrack());
    EXPECT_EQ(each.newTrackVolume, policy.RequestedVolume());
    policy.Update();
    EXPECT_EQ(Calls{}, output.calls) << "the switch is done";
  }
}

TEST_F(MusicPolicy, FadeToSilenceEndsWithTheTrackClosedAndNothingStarted) {
  startFirstTrack(1.0f);
  policy.PlayMusic(-1, 1.0f, false);
  for (int call = 2; call <= 199; ++call) policy.Update();
  EXPECT_EQ(-9950, output.volume);
  EXPECT_EQ(0, policy.CurrentTrack());
  output.takeCalls();
  policy.Update();  // call 200
  EXPECT_EQ((Calls{"Stop", "Close"}), output.takeCalls());
  EXPECT_EQ(-1, policy.CurrentTrack());
}

TEST_F(MusicPolicy, TrackStartsAgainOnlyOnceItsPositionPassesATenthOfASecondBeforeItsEnd) {
  const struct {
    double stopTime;
    double position;
    bool restarts;
  } cases[] = {
      {120.0, 0.0, false},    {120.0, 119.85, false}, {120.0, 119.9, false},
      {120.0, 119.91, true},  {120.0, 120.0, true},   {120.0, 500.0, true},  // heard to its end or past it
      {0.5, 0.4, false},      {0.5, 0.41, true},      {0.05, 0.0, true},     // shorter than the lead
  };
  for (const auto& each : cases) {
    FakeOutput output;
    se::MusicPolicy policy(output, files);
    policy.PlayMusic(0, 0.5f, true);
    output.takeCalls();
    output.stopTime = each.stopTime;
    output.position = each.position;
    policy.Update();
    // The volume stays and the file stays open: only the position goes back.
    const Calls expected = each.restarts ? Calls{"Stop", kSeekToStart, "Run"} : Calls{};
    EXPECT_EQ(expected, output.takeCalls()) << each.position << " of " << each.stopTime;
    EXPECT_EQ(0, policy.CurrentTrack());
  }
}

TEST_F(MusicPolicy, TrackStartsAgainNearItsEndWhileItFadesAndTheFadeGoesOn) {
  startFirstTrack(1.0f);
  policy.PlayMusic(1, 1.0f, false);
  output.takeCalls();
  output.position = output.stopTime;
  policy.Update();
  EXPECT_EQ((Calls{"Stop", kSeekToStart, "Run", "SetVolume -100"}), output.takeCalls());
  EXPECT_EQ(0, policy.CurrentTrack());
}

// The event log's error ends the process: each case runs in a child inside a folder of its own,
// whose Log.log the parent then reads. The folder is named from the test program's own, as a child
// on Windows is the program run again (not a fork) and would make a TemporaryFolder of its own.
using MusicPolicyDeathTest = MusicPolicy;

std::vector<std::string> logLines(const std::string& folder) {
  std::ifstream file(folder + "/Log.log");
  std::vector<std::string> lines;
  for (std::string line; std::getline(file, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();  // a Windows text file's line end
    lines.push_back(line);
  }
  return lines;
}

TEST_F(MusicPolicyDeathTest, TrackThatCannotBePlayedEndsTheProgramAfterAMessageNamingTheFileAndWhy) {
  const struct {
    int track;
    std::string refusal;
    std::string message;
  } cases[] = {
      {0, "is empty", "SE.message: music file \"a.mp3\" is empty"},
      {1, "holds no MPEG audio", "SE.message: music file \"b.mp3\" holds no MPEG audio"},
      {2, "", "SE.message: music track 2 has no file name"},
      {4, "", "SE.message: music track 4 has no file name"},
  };
  for (const auto& each : cases) {
    const std::string folder = TestFolder() + "policy-track-" + std::to_string(each.track);
    std::filesystem::create_directories(folder);
    output.refusal = each.refusal;
    EXPECT_EXIT(
        {
          if (chdir(folder.c_str()) != 0) _exit(99);
          policy.PlayMusic(each.track, 1.0f, true);
        },
        ::testing::ExitedWithCode(1), "")
        << each.message;
    EXPECT_EQ((std::vector<std::string>{each.message, "SE.error: cannot run music"}), logLines(folder));
  }
}

}  // namespace
