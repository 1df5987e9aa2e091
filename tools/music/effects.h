// The two effects on the sends: a stereo echo that bounces between the sides and a small hall.
#pragma once

#include "tools/music/instruments.h"

namespace music {

// Echo of `delaySeconds`, each repeat on the other side and `feedback` as loud; returns the echoes
// only.
StereoBuffer PingPongEcho(const StereoBuffer& input, double delaySeconds, double feedback);

// A hall after the classic design of eight damped comb filters and four all-pass filters per side;
// returns the reverberation only.
StereoBuffer Hall(const StereoBuffer& input, double roomSize, double damping);

}  // namespace music
