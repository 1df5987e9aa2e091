// The console line of a refused volume change.
#include "se/volume_change_message.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

using se::VolumeChangeError;

// The line as the game prints it on a refused change, the code signed (DirectSound's codes are
// negative HRESULTs printed as such).
TEST(VolumeChangeMessage, LineCarriesTheSignedCodeThenTheErrorName) {
  EXPECT_EQ("error on the volume change -2005401570 : DSERR_CONTROLUNAVAIL\n",
            se::VolumeChangeErrorLine(-2005401570, VolumeChangeError::ControlUnavailable));
}

TEST(VolumeChangeMessage, CodeWithoutANameEndsTheLineAfterTheColon) {
  EXPECT_EQ("error on the volume change -2147483648 : \n", se::VolumeChangeErrorLine(-2147483647 - 1, VolumeChangeError::Other));
  EXPECT_EQ("error on the volume change 40963 : \n", se::VolumeChangeErrorLine(40963, VolumeChangeError::Other));
}

// Each named reason is told apart in the line by a DirectSound error name of its own.
TEST(VolumeChangeMessage, EachNamedReasonGivesADifferentDirectSoundName) {
  const std::string prefix = "error on the volume change 1 : DSERR_";
  std::set<std::string> lines;
  for (VolumeChangeError error : {VolumeChangeError::ControlUnavailable, VolumeChangeError::Generic,
                                  VolumeChangeError::InvalidParameter, VolumeChangeError::PriorityLevelNeeded}) {
    const std::string line = se::VolumeChangeErrorLine(1, error);
    EXPECT_EQ(prefix, line.substr(0, prefix.size())) << line;
    EXPECT_EQ('\n', line.back()) << line;
    lines.insert(line);
  }
  EXPECT_EQ(4u, lines.size());
}

}  // namespace
