// Volumes of the sound engine: factor → hundredths of a decibel → linear gain.
#include "se/sound_volume.h"

#include <cmath>
#include <limits>

namespace se {

std::int32_t AttenuationOf(float volume) {
  const float attenuation = volume * 10000.0f - 10000.0f;
  // A float-to-int conversion out of range is undefined behaviour; settle those cases first.
  if (std::isnan(attenuation) || attenuation <= -2147483648.0f) {
    return std::numeric_limits<std::int32_t>::min();
  }
  if (attenuation >= 2147483648.0f) {
    return std::numeric_limits<std::int32_t>::max();
  }
  return static_cast<std::int32_t>(attenuation);  // truncates toward zero
}

float GainOf(std::int32_t hundredths) {
  return static_cast<float>(std::pow(10.0, hundredths / 2000.0));
}

}  // namespace se
