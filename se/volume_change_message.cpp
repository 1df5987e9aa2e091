// The console line of a refused volume change.
#include "se/volume_change_message.h"

namespace se {

namespace {

const char* nameOf(VolumeChangeError error) {
  switch (error) {
    case VolumeChangeError::ControlUnavailable:
      return "DSERR_CONTROLUNAVAIL";
    case VolumeChangeError::Generic:
      return "DSERR_GENERIC";
    case VolumeChangeError::InvalidParameter:
      return "DSERR_INVALIDPARAM";
    case VolumeChangeError::PriorityLevelNeeded:
      return "DSERR_PRIOLEVELNEEDED";
    case VolumeChangeError::Other:
      break;
  }
  return "";
}

}  // namespace

std::string VolumeChangeErrorLine(std::int32_t code, VolumeChangeError error) {
  std::string line = "error on the volume change ";
  line += std::to_string(code);
  line += " : ";
  line += nameOf(error);
  line += "\n";
  return line;
}

}  // namespace se
