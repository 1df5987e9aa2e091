#include "se/sample_file.h"

#include <string>

#include "base/event_log.h"

namespace se {

bool ReadSampleFile(const char* file, int slot, int slotCount, WavSound& sound) {
  if (slot < 0 || slot >= slotCount) {
    LogMessage("SE", ("cannot load sound " + std::string(file) + ": slot " + std::to_string(slot) +
                      " is not one of 0 to " + std::to_string(slotCount - 1))
                         .c_str());
    return false;
  }
  std::string error;
  if (!ReadWavFile(file, sound, error)) {
    LogMessage("SE", ("cannot load sound " + error).c_str());
    return false;
  }
  return true;
}

}  // namespace se
