// The instruments, all synthesised from sines and noise: an FM pluck for the arpeggio, an FM bell,
// a soft additive lead with delayed vibrato, a band-limited detuned-saw pad, a round bass, and the
// percussion (a pitch-swept kick, noise hats, a woody click and an FM metal clank).
#include "tools/music/instruments.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace music {

namespace {

constexpr double kTwoPi = 6.283185307179586;

double frequencyOf(double pitch) { return 440.0 * std::pow(2.0, (pitch - 69.0) / 12.0); }

// How much of each instrument goes to the reverb and to the echo.
struct Sends {
  double reverb;
  double delay;
};

Sends sendsOf(Instrument instrument) {
  switch (instrument) {
    case Instrument::Pluck: return {0.30, 0.22};
    case Instrument::Bell: return {0.50, 0.30};
    case Instrument::Lead: return {0.35, 0.12};
    case Instrument::Pad: return {0.50, 0.0};
    case Instrument::Bass: return {0.03, 0.0};
    case Instrument::Kick: return {0.05, 0.0};
    case Instrument::Hat: return {0.15, 0.0};
    case Instrument::Click: return {0.20, 0.0};
    case Instrument::Clank: return {0.45, 0.1};
  }
  return {0, 0};
}

bool isPercussion(Instrument instrument) {
  return instrument == Instrument::Kick || instrument == Instrument::Hat || instrument == Instrument::Click ||
         instrument == Instrument::Clank;
}

// Deterministic white noise in -1..1.
struct Noise {
  std::uint32_t state;
  double next() {
    state = state * 1664525u + 1013904223u;
    return static_cast<double>(state >> 8) / 8388608.0 - 1.0;
  }
};

// A tone generator with its own state, fed the time since the note began.
class Voice {
 public:
  Voice(const Note& note, std::uint32_t seed) : note_(note), frequency_(frequencyOf(note.pitch)), noise_{seed} {}

  double sample(double t) {
    const double step = 1.0 / kSampleRate;
    switch (note_.instrument) {
      case Instrument::Pluck: {
        const double index = 2.2 * std::exp(-t / 0.08) + 0.3;
        const double value = std::sin(kTwoPi * frequency_ * t + index * std::sin(kTwoPi * 2.0 * frequency_ * t));
        return 0.18 * attack(t, 0.003) * std::exp(-t / 0.28) * value;
      }
      case Instrument::Bell: {
        const double index = 1.8 * std::exp(-t / 0.5);
        const double value = 0.7 * std::sin(kTwoPi * frequency_ * t + index * std::sin(kTwoPi * 3.5 * frequency_ * t)) +
                             0.3 * std::sin(kTwoPi * frequency_ * t);
        return 0.26 * attack(t, 0.002) * std::exp(-t / 0.9) * value;
      }
      case Instrument::Lead: {
        const double vibrato = t > 0.25 ? 0.004 * std::min(1.0, (t - 0.25) / 0.3) * std::sin(kTwoPi * 5.2 * t) : 0.0;
        phase_ += kTwoPi * frequency_ * (1.0 + vibrato) * step;
        double value = 0.3 * std::sin(2.0 * phase_);
        for (int harmonic = 1; harmonic <= 7; harmonic += 2) value += std::sin(harmonic * phase_) / std::pow(harmonic, 1.6);
        return 0.2 * attack(t, 0.03) * (0.85 + 0.15 * std::exp(-t / 0.2)) * value;
      }
      case Instrument::Pad: {
        double value = 0.0;
        for (int detune = -1; detune <= 1; ++detune) {
          const double f = frequency_ * std::pow(2.0, detune * 7.0 / 1200.0);
          for (int harmonic = 1; harmonic <= 10 && harmonic * f < 8000.0; ++harmonic) {
            value += std::sin(kTwoPi * harmonic * f * t + detune) * std::exp(-harmonic / 3.0) / harmonic;
          }
        }
        return 0.045 * smoothAttack(t, 0.45) * value;
      }
      case Instrument::Bass: {
        const double value = std::sin(kTwoPi * frequency_ * t) + 0.35 * std::sin(2 * kTwoPi * frequency_ * t) +
                             0.12 * std::sin(3 * kTwoPi * frequency_ * t);
        return 0.23 * attack(t, 0.004) * (0.7 + 0.3 * std::exp(-t / 0.15)) * value;
      }
      case Instrument::Kick: {
        phase_ += kTwoPi * (45.0 + 85.0 * std::exp(-t / 0.035)) * step;
        return 0.4 * attack(t, 0.001) * std::exp(-t / 0.16) * std::sin(phase_);
      }
      case Instrument::Hat: {
        // White noise through a differentiator and a second one: only the hiss remains.
        const double white = noise_.next();
        const double high = white - previous_;
        previous_ = white;
        const double higher = high - previousHigh_;
        previousHigh_ = high;
        return 0.085 * std::exp(-t / 0.022) * higher;
      }
      case Instrument::Click: {
        const double value = std::sin(kTwoPi * 1750.0 * t) + 0.6 * std::sin(kTwoPi * 2630.0 * t);
        return 0.12 * attack(t, 0.0005) * std::exp(-t / 0.012) * value;
      }
      case Instrument::Clank: {
        const double index = 3.5 * std::exp(-t / 0.15);
        const double value = std::sin(kTwoPi * 310.0 * t + index * std::sin(kTwoPi * 310.0 * 1.414 * t)) +
                             0.4 * std::sin(kTwoPi * 310.0 * 2.76 * t) * std::exp(-t / 0.08);
        return 0.11 * attack(t, 0.001) * std::exp(-t / 0.22) * value;
      }
    }
    return 0.0;
  }

 private:
  static double attack(double t, double seconds) { return t < seconds ? t / seconds : 1.0; }
  static double smoothAttack(double t, double seconds) {
    return t < seconds ? 0.5 - 0.5 * std::cos(3.141592653589793 * t / seconds) : 1.0;
  }

  Note note_;
  double frequency_;
  double phase_ = 0.0;
  Noise noise_;
  double previous_ = 0.0;
  double previousHigh_ = 0.0;
};

}  // namespace

void RenderNote(const Note& note, double offsetSeconds, Mix& mix) {
  const double release = ReleaseSeconds(note.instrument);
  const double held = isPercussion(note.instrument) ? 0.0 : note.length;
  const double total = held + release;
  const long first = std::lround((note.start + offsetSeconds) * kSampleRate);
  const long count = std::lround(total * kSampleRate);
  // Equal-power panning.
  const double angle = (note.pan + 1.0) * 3.141592653589793 / 4.0;
  const double toLeft = std::cos(angle) * note.velocity;
  const double toRight = std::sin(angle) * note.velocity;
  const Sends sends = sendsOf(note.instrument);
  Voice voice(note, static_cast<std::uint32_t>(first) * 2654435761u + 1u);
  for (long i = 0; i < count; ++i) {
    const long frame = first + i;
    if (frame < 0) continue;
    if (static_cast<std::size_t>(frame) >= mix.dry.frames()) break;
    const double t = static_cast<double>(i) / kSampleRate;
    // The release: a raised-cosine fade from the key's release to exact silence at the end.
    double gate = 1.0;
    if (t > held) {
      const double x = std::min(1.0, (t - held) / release);
      gate = isPercussion(note.instrument) ? (x < 0.7 ? 1.0 : 0.5 + 0.5 * std::cos(3.141592653589793 * (x - 0.7) / 0.3))
                                           : 0.5 + 0.5 * std::cos(3.141592653589793 * x);
    }
    if (i == count - 1) gate = 0.0;
    const double value = voice.sample(t) * gate;
    const std::size_t at = static_cast<std::size_t>(frame);
    const float left = static_cast<float>(value * toLeft);
    const float right = static_cast<float>(value * toRight);
    mix.dry.left[at] += left;
    mix.dry.right[at] += right;
    mix.reverbSend.left[at] += static_cast<float>(sends.reverb) * left;
    mix.reverbSend.right[at] += static_cast<float>(sends.reverb) * right;
    mix.delaySend.left[at] += static_cast<float>(sends.delay) * left;
    mix.delaySend.right[at] += static_cast<float>(sends.delay) * right;
  }
}

}  // namespace music
