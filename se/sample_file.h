// A sound sample's WAV file read for one of an engine's sample slots, as every engine reads it:
// a slot outside the table or a file that is not a WAV the engines play is refused with its
// "SE" log line, and the sound is not loaded.
#pragma once

#include "se/wav_file.h"

namespace se {

// True when `file` was read into `sound` for `slot` of `slotCount` slots.
bool ReadSampleFile(const char* file, int slot, int slotCount, WavSound& sound);

}  // namespace se
