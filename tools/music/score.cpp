// The piece, note by note: a rolling arpeggio over a slow chord cycle, a bass that ticks along
// in eighths, a bell and then a soft lead carrying the tune, a pad, and quiet workshop percussion
// (kick, ticking hats, a clock-like click and a metal clank). Bars 1-8 set the machine going,
// 9-16 bring the tune, 17-24 return to the opening chords with a second tune, 25-28 wind down.
#include "tools/music/score.h"

#include <array>

namespace music {

namespace {

struct Chord {
  std::array<int, 5> voicing;  // arpeggio notes, low to high
  int root;                    // bass note
  int fifth;                   // semitones from the root to the bass's upper note
};

// MIDI numbers: 60 = middle C.
constexpr Chord kDm9{{62, 65, 69, 74, 76}, 38, 7};
constexpr Chord kFmaj7{{60, 65, 69, 72, 76}, 41, 7};
constexpr Chord kCadd9{{60, 64, 67, 72, 74}, 36, 7};
constexpr Chord kGm7{{62, 65, 67, 70, 74}, 43, 7};
constexpr Chord kBbmaj7{{62, 65, 69, 70, 74}, 46, 7};
constexpr Chord kA7sus4{{62, 64, 67, 69, 74}, 45, 7};
constexpr Chord kA7{{61, 64, 67, 69, 73}, 45, 7};
constexpr Chord kC6{{60, 64, 67, 69, 72}, 36, 7};
constexpr Chord kAm7{{64, 67, 69, 72, 76}, 45, 7};
constexpr Chord kDm7{{62, 65, 69, 72, 74}, 38, 7};
constexpr Chord kGm9{{65, 67, 69, 70, 74}, 43, 7};
constexpr Chord kC7sus4{{60, 65, 67, 70, 72}, 36, 7};
constexpr Chord kA7b9{{61, 64, 67, 70, 73}, 45, 7};
constexpr Chord kEm7b5{{62, 64, 67, 70, 74}, 40, 6};

// Each bar's chord for its first and its second half.
struct BarHarmony {
  const Chord* first;
  const Chord* second;
};

constexpr BarHarmony kHarmony[kBars] = {
    {&kDm9, &kDm9},       {&kFmaj7, &kFmaj7},   {&kCadd9, &kCadd9},     {&kGm7, &kGm7},
    {&kDm9, &kDm9},       {&kBbmaj7, &kBbmaj7}, {&kGm7, &kGm7},         {&kA7sus4, &kA7},
    {&kBbmaj7, &kBbmaj7}, {&kC6, &kC6},         {&kAm7, &kAm7},         {&kDm7, &kDm7},
    {&kGm9, &kGm9},       {&kC7sus4, &kC7sus4}, {&kFmaj7, &kFmaj7},     {&kA7b9, &kA7b9},
    {&kDm9, &kDm9},       {&kFmaj7, &kFmaj7},   {&kCadd9, &kCadd9},     {&kGm7, &kGm7},
    {&kDm9, &kDm9},       {&kBbmaj7, &kBbmaj7}, {&kEm7b5, &kEm7b5},     {&kA7sus4, &kA7},
    {&kBbmaj7, &kBbmaj7}, {&kGm7, &kGm7},       {&kA7sus4, &kA7},       {&kDm9, &kDm9},
};

// Arpeggio patterns: indexes into the voicing, one per sixteenth.
constexpr std::array<int, 16> kRolling{0, 2, 1, 3, 2, 4, 3, 2, 0, 2, 1, 3, 2, 4, 3, 1};
constexpr std::array<int, 16> kClimbing{0, 1, 2, 3, 4, 3, 2, 1, 0, 2, 4, 2, 3, 1, 2, 4};
constexpr std::array<int, 16> kWide{0, 2, 4, 2, 1, 3, 4, 3, 0, 2, 4, 2, 1, 3, 2, 1};
constexpr std::array<int, 16> kWindDown{4, 3, 2, 1, 3, 2, 1, 0, -1, -1, -1, -1, -1, -1, -1, -1};

// A tune note: bar, start and length in sixteenths, MIDI pitch.
struct TuneNote {
  int bar;
  int step;
  int steps;
  int pitch;
};

// Bars 5-8, the bell's first phrase.
constexpr TuneNote kBellPhrase[] = {
    {4, 0, 4, 86}, {4, 4, 2, 84}, {4, 6, 6, 81},  {5, 0, 4, 77}, {5, 4, 4, 81}, {5, 8, 8, 86},
    {6, 0, 4, 82}, {6, 4, 4, 81}, {6, 8, 4, 79},  {6, 12, 4, 77}, {7, 0, 8, 76},
};

// Bars 9-16, the lead's tune.
constexpr TuneNote kFirstTune[] = {
    {8, 0, 6, 81},   {8, 6, 2, 77},   {8, 8, 4, 74},   {8, 12, 4, 77},  {9, 0, 6, 79},   {9, 6, 2, 76},
    {9, 8, 4, 72},   {9, 12, 4, 76},  {10, 0, 4, 76},  {10, 4, 4, 79},  {10, 8, 6, 84},  {10, 14, 2, 83},
    {11, 0, 8, 81},  {11, 8, 4, 77},  {11, 12, 2, 81}, {11, 14, 2, 84}, {12, 0, 6, 86},  {12, 6, 2, 82},
    {12, 8, 4, 81},  {12, 12, 4, 79}, {13, 0, 6, 77},  {13, 6, 2, 79},  {13, 8, 4, 82},  {13, 12, 2, 81},
    {13, 14, 2, 79}, {14, 0, 12, 81}, {14, 12, 2, 84}, {14, 14, 2, 81}, {15, 0, 4, 79},  {15, 4, 4, 76},
    {15, 8, 4, 73},  {15, 12, 4, 76},
};

// Bars 17-24, the second tune, lower and with more air.
constexpr TuneNote kSecondTune[] = {
    {16, 0, 4, 74},  {16, 4, 2, 76},  {16, 6, 2, 77},  {16, 8, 8, 81},  {17, 0, 2, 79},  {17, 2, 2, 81},
    {17, 4, 4, 84},  {17, 8, 4, 81},  {17, 12, 4, 76}, {18, 0, 8, 79},  {18, 8, 4, 76},  {18, 12, 4, 74},
    {19, 0, 4, 77},  {19, 4, 4, 74},  {19, 8, 4, 70},  {19, 12, 4, 74}, {20, 0, 4, 81},  {20, 4, 2, 79},
    {20, 6, 2, 77},  {20, 8, 4, 76},  {20, 12, 4, 77}, {21, 0, 6, 74},  {21, 6, 2, 77},  {21, 8, 6, 81},
    {21, 14, 2, 82}, {22, 0, 4, 81},  {22, 4, 4, 79},  {22, 8, 4, 76},  {22, 12, 4, 74}, {23, 0, 8, 76},
    {23, 8, 8, 73},
};

// Bars 25-28, the bell again, winding down to the last D.
constexpr TuneNote kClosingPhrase[] = {
    {24, 0, 4, 77}, {24, 4, 4, 74}, {24, 8, 8, 69}, {25, 0, 4, 70}, {25, 4, 4, 74},
    {25, 8, 8, 77}, {26, 0, 8, 76}, {26, 8, 8, 73}, {27, 0, 6, 74},
};

double timeOf(int bar, int step) { return kLeadInSeconds + bar * kBarSeconds + step * kSixteenthSeconds; }

const Chord& chordAt(int bar, int step) { return step < 8 ? *kHarmony[bar].first : *kHarmony[bar].second; }

void addArpeggio(std::vector<Note>& notes) {
  for (int bar = 0; bar < kBars; ++bar) {
    const std::array<int, 16>& pattern = bar == 27                         ? kWindDown
                                         : bar >= 16 && bar < 24           ? kWide
                                         : bar >= 8 && bar < 16            ? kClimbing
                                                                           : kRolling;
    for (int step = 0; step < 16; ++step) {
      if (pattern[static_cast<std::size_t>(step)] < 0) continue;
      if (bar < 2 && step % 2 == 1) continue;  // the machine starts in eighths
      const Chord& chord = chordAt(bar, step);
      Note note;
      note.instrument = Instrument::Pluck;
      note.start = timeOf(bar, step);
      note.length = kSixteenthSeconds * 0.9;
      note.pitch = chord.voicing[static_cast<std::size_t>(pattern[static_cast<std::size_t>(step)])];
      note.velocity = (step % 4 == 0 ? 0.75 : 0.55) * (bar == 27 ? 0.8 - step * 0.06 : 1.0);
      note.pan = step % 2 == 0 ? -0.3 : 0.3;
      notes.push_back(note);
    }
  }
}

void addBass(std::vector<Note>& notes) {
  struct BassStep {
    int step, steps, interval;
    double velocity;
  };
  constexpr BassStep kGroove[] = {{0, 3, 0, 0.9}, {3, 1, 0, 0.45}, {6, 2, 12, 0.6},
                                  {8, 3, -1, 0.8}, {12, 2, 0, 0.7}, {14, 2, 12, 0.55}};
  for (int bar = 0; bar < kBars; ++bar) {
    auto add = [&](int step, int steps, int interval, double velocity) {
      const Chord& chord = chordAt(bar, step);
      Note note;
      note.instrument = Instrument::Bass;
      note.start = timeOf(bar, step);
      note.length = steps * kSixteenthSeconds - 0.02;
      note.pitch = chord.root + (interval < 0 ? chord.fifth : interval);
      note.velocity = velocity;
      notes.push_back(note);
    };
    if (bar < 2) {
      add(0, 15, 0, 0.8);
    } else if (bar < 4) {
      add(0, 7, 0, 0.85);
      add(8, 7, -1, 0.7);
    } else if (bar == 27) {
      add(0, 8, 0, 0.9);
    } else {
      for (const BassStep& step : kGroove) add(step.step, step.steps, step.interval, step.velocity);
    }
  }
}

void addTune(std::vector<Note>& notes, const TuneNote* tune, std::size_t count, Instrument instrument, double velocity,
             int transpose = 0) {
  for (std::size_t i = 0; i < count; ++i) {
    Note note;
    note.instrument = instrument;
    note.start = timeOf(tune[i].bar, tune[i].step);
    note.length = tune[i].steps * kSixteenthSeconds - 0.03;
    note.pitch = tune[i].pitch + transpose;
    note.velocity = velocity;
    note.pan = transpose == 0 ? 0.1 : -0.25;
    notes.push_back(note);
  }
}

void addPad(std::vector<Note>& notes) {
  for (int bar = 4; bar < kBars; ++bar) {
    for (int half = 0; half < 2; ++half) {
      const Chord& chord = chordAt(bar, half * 8);
      const bool split = kHarmony[bar].first != kHarmony[bar].second;
      if (half == 1 && !split) continue;
      const double length = bar == 27 ? 1.1 : (split ? kBarSeconds / 2 : kBarSeconds) - 0.05;
      for (std::size_t voice = 0; voice < 4; ++voice) {
        Note note;
        note.instrument = Instrument::Pad;
        note.start = timeOf(bar, half * 8);
        note.length = length;
        note.pitch = chord.voicing[voice] - 12;
        note.velocity = bar < 8 ? 0.25 : 0.4;
        note.pan = voice % 2 == 0 ? -0.5 : 0.5;
        notes.push_back(note);
      }
    }
  }
}

void addPercussion(std::vector<Note>& notes) {
  auto hit = [&](Instrument instrument, int bar, int step, double velocity, double pan, double pitch) {
    Note note;
    note.instrument = instrument;
    note.start = timeOf(bar, step);
    note.length = 0.0;
    note.pitch = pitch;
    note.velocity = velocity;
    note.pan = pan;
    notes.push_back(note);
  };
  for (int bar = 0; bar < kBars; ++bar) {
    const bool groove = bar >= 4 && bar < 27;
    if (groove) {
      hit(Instrument::Kick, bar, 0, 0.9, 0, 0);
      hit(Instrument::Kick, bar, 8, 0.75, 0, 0);
      if (bar >= 8 && bar % 4 == 3) hit(Instrument::Kick, bar, 14, 0.5, 0, 0);
    }
    if (bar == 27) hit(Instrument::Kick, bar, 0, 0.8, 0, 0);
    if (bar >= 2 && bar < 27) {
      for (int step = 2; step < 16; step += 4) hit(Instrument::Hat, bar, step, 0.5, 0.35, 0);
      if (bar >= 8) {
        for (int step = 0; step < 16; step += 4) hit(Instrument::Hat, bar, step, 0.22, 0.35, 0);
      }
      if (bar >= 16 && bar < 24) {
        for (int step = 1; step < 16; step += 2) hit(Instrument::Hat, bar, step, 0.13, -0.2, 0);
      }
    }
    if (bar >= 8 && bar < 27) {
      hit(Instrument::Click, bar, 4, 0.5, -0.35, 0);
      hit(Instrument::Click, bar, 12, 0.5, -0.35, 0);
    }
    if (bar >= 4 && bar < 24 && bar % 4 == 3) {
      hit(Instrument::Clank, bar, 12, 0.5, 0.25, 0);
      if (bar % 8 == 7) hit(Instrument::Clank, bar, 14, 0.35, 0.25, 0);
    }
  }
}

}  // namespace

double ReleaseSeconds(Instrument instrument) {
  switch (instrument) {
    case Instrument::Pluck: return 0.35;
    case Instrument::Bell: return 0.9;
    case Instrument::Lead: return 0.15;
    case Instrument::Pad: return 0.9;
    case Instrument::Bass: return 0.08;
    case Instrument::Kick: return 0.4;
    case Instrument::Hat: return 0.08;
    case Instrument::Click: return 0.05;
    case Instrument::Clank: return 0.6;
  }
  return 0.1;
}

std::vector<Note> BuildScore() {
  std::vector<Note> notes;
  addArpeggio(notes);
  addBass(notes);
  addTune(notes, kBellPhrase, std::size(kBellPhrase), Instrument::Bell, 0.55);
  addTune(notes, kFirstTune, std::size(kFirstTune), Instrument::Lead, 0.6);
  addTune(notes, kSecondTune, std::size(kSecondTune), Instrument::Lead, 0.55);
  addTune(notes, kSecondTune, std::size(kSecondTune), Instrument::Bell, 0.16, 12);  // a faint bell an octave above
  addTune(notes, kClosingPhrase, std::size(kClosingPhrase), Instrument::Bell, 0.5);
  addPad(notes);
  addPercussion(notes);
  return notes;
}

}  // namespace music
