// Volumes of the sound engine: the game hands a factor (1.0 full, 0.0 silent) and the engine works
// in hundredths of a decibel of attenuation, 0 (full) down to -10000 (silent).
#pragma once

#include <cstdint>

namespace se {

constexpr std::int32_t kFullVolume = 0;
constexpr std::int32_t kSilentVolume = -10000;

// trunc(volume × 10000 − 10000): 1.0 → 0, 0.5 → −5000, 0.0 → −10000. Factors far outside 0..1 are
// clamped to the int32 range and NaN gives the lowest value, so no input has an undefined result;
// such values lie outside kSilentVolume..kFullVolume and volume controls refuse them.
std::int32_t AttenuationOf(float volume);

// Whether a volume control takes this attenuation: full volume down to silence, nothing louder
// than full and nothing quieter than silent.
constexpr bool IsAttenuationInRange(std::int32_t hundredths) {
  return hundredths >= kSilentVolume && hundredths <= kFullVolume;
}

// The linear gain that an attenuation in hundredths of a decibel stands for: 10^(h / 2000).
float GainOf(std::int32_t hundredths);

}  // namespace se
