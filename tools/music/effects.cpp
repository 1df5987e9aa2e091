// The echo and the hall.
#include "tools/music/effects.h"

#include <array>
#include <cmath>

namespace music {

StereoBuffer PingPongEcho(const StereoBuffer& input, double delaySeconds, double feedback) {
  const std::size_t delay = static_cast<std::size_t>(std::lround(delaySeconds * kSampleRate));
  StereoBuffer output(input.frames());
  for (std::size_t i = delay; i < input.frames(); ++i) {
    // Left repeats what came in on the left plus the right's echo, and the other way round.
    output.right[i] = input.left[i - delay] + static_cast<float>(feedback) * output.left[i - delay];
    output.left[i] = input.right[i - delay] + static_cast<float>(feedback) * output.right[i - delay];
  }
  return output;
}

namespace {

class Comb {
 public:
  Comb(std::size_t length, float feedback, float damping) : buffer_(length, 0.0f), feedback_(feedback), damping_(damping) {}
  float process(float input) {
    const float output = buffer_[position_];
    filtered_ = output * (1.0f - damping_) + filtered_ * damping_;
    buffer_[position_] = input + filtered_ * feedback_;
    position_ = (position_ + 1) % buffer_.size();
    return output;
  }

 private:
  std::vector<float> buffer_;
  float feedback_;
  float damping_;
  float filtered_ = 0.0f;
  std::size_t position_ = 0;
};

class AllPass {
 public:
  explicit AllPass(std::size_t length) : buffer_(length, 0.0f) {}
  float process(float input) {
    const float delayed = buffer_[position_];
    const float output = delayed - input;
    buffer_[position_] = input + delayed * 0.5f;
    position_ = (position_ + 1) % buffer_.size();
    return output;
  }

 private:
  std::vector<float> buffer_;
  std::size_t position_ = 0;
};

}  // namespace

StereoBuffer Hall(const StereoBuffer& input, double roomSize, double damping) {
  constexpr std::array<std::size_t, 8> kCombs{1116, 1188, 1277, 1356, 1422, 1491, 1557, 1617};
  constexpr std::array<std::size_t, 4> kAllPasses{556, 441, 341, 225};
  constexpr std::size_t kSpread = 23;  // the right side's filters are a little longer: width
  StereoBuffer output(input.frames());
  for (int side = 0; side < 2; ++side) {
    std::vector<Comb> combs;
    std::vector<AllPass> allPasses;
    const std::size_t extra = side == 0 ? 0 : kSpread;
    for (std::size_t length : kCombs) combs.emplace_back(length + extra, static_cast<float>(roomSize), static_cast<float>(damping));
    for (std::size_t length : kAllPasses) allPasses.emplace_back(length + extra);
    const std::vector<float>& in = side == 0 ? input.left : input.right;
    std::vector<float>& out = side == 0 ? output.left : output.right;
    for (std::size_t i = 0; i < input.frames(); ++i) {
      // Both sides hear the sum, so the hall surrounds the sound.
      const float feed = 0.015f * (input.left[i] + input.right[i]) + 0.015f * in[i];
      float sum = 0.0f;
      for (Comb& comb : combs) sum += comb.process(feed);
      for (AllPass& allPass : allPasses) sum = allPass.process(sum);
      out[i] = sum;
    }
  }
  return output;
}

}  // namespace music
