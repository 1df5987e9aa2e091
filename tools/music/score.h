// The piece: one loop of 28 bars in D minor at 96 beats a minute, as a list of notes.
#pragma once

#include <vector>

namespace music {

inline constexpr int kSampleRate = 44100;
inline constexpr double kBeatsPerMinute = 96.0;
inline constexpr int kBars = 28;
inline constexpr double kBarSeconds = 4 * 60.0 / kBeatsPerMinute;      // 2.5 s
inline constexpr double kSixteenthSeconds = kBarSeconds / 16.0;        // 0.15625 s
inline constexpr double kCycleSeconds = kBars * kBarSeconds;           // 70 s, the loop
// The first beat comes this late in the loop, and the last sound has died away a little before
// the loop ends: a short breath of true silence spans the loop point, so the player may jump back
// to the start anywhere within it without a click.
inline constexpr double kLeadInSeconds = 0.12;
inline constexpr double kSilentTailSeconds = 0.3;

enum class Instrument { Pluck, Bell, Lead, Pad, Bass, Kick, Hat, Click, Clank };

struct Note {
  double start = 0;     // seconds from the start of the loop
  double length = 0;    // seconds the key is held; the release follows
  double pitch = 0;     // MIDI note number (69 = A 440 Hz)
  double velocity = 1;  // 0..1
  double pan = 0;       // -1 left .. 1 right
  Instrument instrument = Instrument::Pluck;
};

std::vector<Note> BuildScore();

// Seconds a note of this instrument keeps sounding after its key is released.
double ReleaseSeconds(Instrument instrument);

}  // namespace music
