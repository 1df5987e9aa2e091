// Plays music on OpenAL Soft's silent "null" device (a real-time output) with a frame loop at
// 60 frames per second that stalls for half a second now and then, and reports whether the music
// went on through the stalls, how often its queue ran dry, what an Update costs and how much
// processor time the whole engine takes. Runs from the build folder: it plays
// "../music/main.mp3" when that exists, the tests' one-second tone otherwise.
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "se/sound_engine_openal.h"

namespace {

using Clock = std::chrono::steady_clock;

double processorSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

}  // namespace

int main() {
  // No sound card is needed; an explicit choice of driver in the environment is kept.
  setenv("ALSOFT_DRIVERS", "null", 0);
  std::string track = "../music/main.mp3";
  if (std::FILE* file = std::fopen(track.c_str(), "rb")) {
    std::fclose(file);
  } else {
    track = VARNELLE_SE_FIXTURE_TRACK;
  }

  auto* engine = new se::ZSoundEngineOpenAL();
  engine->musicFiles[0] = std::wstring(track.begin(), track.end());
  engine->PlayMusic(0, 1.0f, true);
  const double length = engine->MusicStopTime();

  constexpr int kStalls = 4;
  constexpr auto kStall = std::chrono::milliseconds(500);
  constexpr auto kFrame = std::chrono::microseconds(16667);
  std::vector<double> updateMicroseconds;
  std::vector<double> advances;
  const double processorBefore = processorSeconds();
  const Clock::time_point start = Clock::now();
  Clock::time_point nextFrame = start;
  Clock::time_point nextStall = start + std::chrono::seconds(1);
  while (static_cast<int>(advances.size()) < kStalls) {
    std::this_thread::sleep_until(nextFrame);
    nextFrame += kFrame;
    const Clock::time_point before = Clock::now();
    engine->Update();
    updateMicroseconds.push_back(std::chrono::duration<double, std::micro>(Clock::now() - before).count());

    // Stall early in the track, so that the half second ends well before the track does.
    const double position = engine->MusicPosition();
    if (Clock::now() >= nextStall && position > 0.05 * length && position < 0.3 * length) {
      const Clock::time_point stallStart = Clock::now();
      std::this_thread::sleep_for(kStall);
      const double stalled = std::chrono::duration<double>(Clock::now() - stallStart).count();
      advances.push_back((engine->MusicPosition() - position) / stalled);
      nextStall = Clock::now() + std::chrono::seconds(1);
      nextFrame = Clock::now();
    }
  }
  const double wall = std::chrono::duration<double>(Clock::now() - start).count();
  const double processor = processorSeconds() - processorBefore;
  const int underruns = engine->MusicUnderruns();
  delete engine;

  std::sort(updateMicroseconds.begin(), updateMicroseconds.end());
  const double median = updateMicroseconds[updateMicroseconds.size() / 2];
  const double worst = updateMicroseconds.back();
  const double slowest = *std::min_element(advances.begin(), advances.end());
  std::printf("track: %s (%.3f s)\n", track.c_str(), length);
  std::printf("music through %d stalls of 500 ms: position advanced %.2f to %.2f s per second stalled\n",
              kStalls, slowest, *std::max_element(advances.begin(), advances.end()));
  std::printf("music queue ran dry: %d times\n", underruns);
  std::printf("Update: median %.1f us, slowest %.1f us over %zu calls\n", median, worst,
              updateMicroseconds.size());
  std::printf("processor time: %.1f %% of one core over %.1f s (decoding, streaming, null mixer)\n",
              100.0 * processor / wall, wall);
  // The music must have kept playing at real speed through every stall, without a gap.
  const bool kept = underruns == 0 && slowest > 0.9;
  std::printf("%s\n", kept ? "music kept playing through the stalls" : "MUSIC STOPPED OR STUTTERED");
  return kept ? 0 : 1;
}
