// The console line a sound prints when its volume change is refused. The reason is named with one
// of four fixed error names ("DSERR_..."), whatever the sound library underneath reports, so the
// line reads the same on every platform.
#pragma once

#include <cstdint>
#include <string>

namespace se {

// The refusal reasons that have a name of their own in the line.
enum class VolumeChangeError {
  ControlUnavailable,   // "DSERR_CONTROLUNAVAIL": the sound has no volume control now
  Generic,              // "DSERR_GENERIC": the sound system failed (out of memory, ...)
  InvalidParameter,     // "DSERR_INVALIDPARAM": the value or the sound itself is not valid
  PriorityLevelNeeded,  // "DSERR_PRIOLEVELNEEDED": the program lacks the access it needs
  Other,                // no name: the line ends after " : "
};

// "error on the volume change <code> : <name>\n", the code as a signed decimal number.
std::string VolumeChangeErrorLine(std::int32_t code, VolumeChangeError error);

}  // namespace se
