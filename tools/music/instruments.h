// The instruments: each renders one note into the dry mix and into the sends of the effects.
#pragma once

#include <cstddef>
#include <vector>

#include "tools/music/score.h"

namespace music {

struct StereoBuffer {
  std::vector<float> left;
  std::vector<float> right;
  explicit StereoBuffer(std::size_t frames) : left(frames, 0.0f), right(frames, 0.0f) {}
  std::size_t frames() const { return left.size(); }
};

struct Mix {
  StereoBuffer dry;
  StereoBuffer reverbSend;
  StereoBuffer delaySend;
  explicit Mix(std::size_t frames) : dry(frames), reverbSend(frames), delaySend(frames) {}
};

// Adds `note`, starting `offsetSeconds` after the note's own start time, to the mix. Every note
// ends in exact silence: its envelope reaches zero when its release is over.
void RenderNote(const Note& note, double offsetSeconds, Mix& mix);

}  // namespace music
