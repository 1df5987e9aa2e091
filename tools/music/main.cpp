// varnelle-synth: renders the game's music loop into a 44.1 kHz 16-bit stereo WAV file.
// Usage: varnelle-synth output.wav
//
// The loop is rendered three times in a row and the file is cut from the second pass, so the
// hall and the echo at its start carry the tail of the pass before, exactly as when it repeats.
// The file runs a little past one loop: the sound engine restarts a track a tenth of a second
// before its end, which then lands in the silent breath at the loop point, as does a player that
// loops at the very end of the file.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "support/wav_writer.h"
#include "tools/music/effects.h"
#include "tools/music/instruments.h"
#include "tools/music/score.h"

namespace {

using namespace music;

// The file ends this far into the next loop: past the engine's early restart point (0.1 s before
// the end, checked once a frame), and still before the first note.
constexpr double kOverhangSeconds = kLeadInSeconds - 0.01;

// The hall and the echo fade out before the loop point and come back with the first note, so the
// breath between the last and the first sound is true silence.
double wetGate(double cycleTime) {
  const double fadeStart = kCycleSeconds - 1.1;
  const double fadeEnd = kCycleSeconds - kSilentTailSeconds - 0.05;
  if (cycleTime < kLeadInSeconds) return 0.0;
  if (cycleTime < fadeStart) return 1.0;
  if (cycleTime >= fadeEnd) return 0.0;
  return 0.5 + 0.5 * std::cos(3.141592653589793 * (cycleTime - fadeStart) / (fadeEnd - fadeStart));
}

// A note that rings into the silent breath around the loop point would make the loop audible.
bool notesClearOfTheBreath(const std::vector<Note>& notes) {
  for (const Note& note : notes) {
    const double end = note.start + (note.length > 0 ? note.length : 0) + ReleaseSeconds(note.instrument);
    if (note.start < kLeadInSeconds || end > kCycleSeconds - kSilentTailSeconds) {
      std::fprintf(stderr, "varnelle-synth: a note at %.3f s sounds into the breath at the loop point\n", note.start);
      return false;
    }
  }
  return true;
}

struct StereoSignal {
  std::vector<double> left;
  std::vector<double> right;
  double peak = 0.0;
};

// Three passes of the score, so that the middle one carries the echoes and the hall of the one
// before it: the file is the middle pass and its overhang.
StereoSignal renderLoop(const std::vector<Note>& notes, long cycleFrames, long fileFrames) {
  const long totalFrames = 2 * cycleFrames + fileFrames;
  Mix mix(static_cast<std::size_t>(totalFrames));
  for (int pass = 0; pass < 3; ++pass) {
    for (const Note& note : notes) RenderNote(note, pass * kCycleSeconds, mix);
  }
  StereoBuffer echo = PingPongEcho(mix.delaySend, 3 * kSixteenthSeconds, 0.38);
  for (std::size_t i = 0; i < echo.frames(); ++i) {  // the echoes ring in the hall too
    mix.reverbSend.left[i] += 0.3f * echo.left[i];
    mix.reverbSend.right[i] += 0.3f * echo.right[i];
  }
  const StereoBuffer hall = Hall(mix.reverbSend, 0.84, 0.35);

  StereoSignal signal{std::vector<double>(static_cast<std::size_t>(fileFrames)),
                      std::vector<double>(static_cast<std::size_t>(fileFrames))};
  for (long i = 0; i < fileFrames; ++i) {
    const std::size_t at = static_cast<std::size_t>(cycleFrames + i);
    const std::size_t to = static_cast<std::size_t>(i);
    const double gate = wetGate(std::fmod(static_cast<double>(i) / kSampleRate, kCycleSeconds));
    signal.left[to] = mix.dry.left[at] + gate * (0.9 * hall.left[at] + 0.45 * echo.left[at]);
    signal.right[to] = mix.dry.right[at] + gate * (0.9 * hall.right[at] + 0.45 * echo.right[at]);
    signal.peak = std::max({signal.peak, std::fabs(signal.left[to]), std::fabs(signal.right[to])});
  }
  return signal;
}

// Interleaved 16-bit samples, scaled so that the peak is at -1 dBFS, which leaves the encoder a
// little headroom; sumSquares receives the scaled signal's energy.
std::vector<std::int16_t> toSamples(const StereoSignal& signal, double& sumSquares) {
  const double scale = signal.peak > 0 ? 0.89 / signal.peak : 1.0;
  std::vector<std::int16_t> samples;
  samples.reserve(signal.left.size() * 2);
  sumSquares = 0.0;
  for (std::size_t i = 0; i < signal.left.size(); ++i) {
    for (const std::vector<double>* side : {&signal.left, &signal.right}) {
      const double value = (*side)[i] * scale;
      sumSquares += value * value;
      samples.push_back(static_cast<std::int16_t>(std::lround(std::clamp(value, -1.0, 1.0) * 32767.0)));
    }
  }
  return samples;
}

struct LoopCheck {
  int loudestNearLoopPoint = 0;
  long overhangMismatches = 0;
};

// The loop check: silence around the loop point, and the overhang equal to the loop's start.
LoopCheck checkLoop(const std::vector<std::int16_t>& samples, long cycleFrames, long fileFrames) {
  LoopCheck check;
  const long quietFrom = cycleFrames - std::lround(kSilentTailSeconds * kSampleRate);
  const long quietStartTo = std::lround(kLeadInSeconds * kSampleRate);
  const auto sample = [&samples](long frame, int channel) { return samples[static_cast<std::size_t>(2 * frame + channel)]; };
  for (long i = 0; i < fileFrames; ++i) {
    if (i < quietStartTo || i >= quietFrom) {
      for (int channel = 0; channel < 2; ++channel) {
        check.loudestNearLoopPoint = std::max(check.loudestNearLoopPoint, std::abs(static_cast<int>(sample(i, channel))));
      }
    }
  }
  for (long i = cycleFrames; i < fileFrames; ++i) {
    for (int channel = 0; channel < 2; ++channel) {
      if (sample(i, channel) != sample(i - cycleFrames, channel)) ++check.overhangMismatches;
    }
  }
  return check;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s output.wav\n", argv[0]);
    return 2;
  }
  const std::vector<Note> notes = BuildScore();
  if (!notesClearOfTheBreath(notes)) return 1;

  const long cycleFrames = std::lround(kCycleSeconds * kSampleRate);
  const long fileFrames = cycleFrames + std::lround(kOverhangSeconds * kSampleRate);
  const StereoSignal signal = renderLoop(notes, cycleFrames, fileFrames);
  double sumSquares = 0.0;
  const std::vector<std::int16_t> samples = toSamples(signal, sumSquares);
  const LoopCheck check = checkLoop(samples, cycleFrames, fileFrames);

  std::printf("varnelle-synth: %zu notes, loop %.3f s, file %.3f s (%ld frames)\n", notes.size(), kCycleSeconds,
              static_cast<double>(fileFrames) / kSampleRate, fileFrames);
  std::printf("varnelle-synth: peak %.3f before scaling, RMS %.1f dBFS\n", signal.peak,
              10.0 * std::log10(sumSquares / (2.0 * static_cast<double>(fileFrames))));
  std::printf("varnelle-synth: loudest sample within %.2f s before and %.2f s after the loop point: %d; "
              "first sample %d/%d, last %d/%d; overhang samples differing from the start: %ld\n",
              kSilentTailSeconds, kLeadInSeconds, check.loudestNearLoopPoint, samples[0], samples[1],
              samples[samples.size() - 2], samples.back(), check.overhangMismatches);
  std::string error;
  if (!WriteWav(argv[1], WavLayout{.channels = 2, .sampleRate = kSampleRate}, samples, error)) {
    std::fprintf(stderr, "varnelle-synth: %s\n", error.c_str());
    return 1;
  }
  if (check.loudestNearLoopPoint > 0 || check.overhangMismatches > 0) {
    std::fprintf(stderr, "varnelle-synth: the loop point is not clean\n");
    return 1;
  }
  return 0;
}
