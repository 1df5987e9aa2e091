// The console line of a refused volume change.
#include "se/volume_change_message.h"

#include <gtest/gtest.h>

namespace {

TEST(VolumeChangeMessage, NamesTheErrorAfterTheSignedCodeOrEndsAfterTheColon) {
  using se::VolumeChangeError;
  EXPECT_EQ("error on the volume change -2005401570 : DSERR_CONTROLUNAVAIL\n",
            se::VolumeChangeErrorLine(-2005401570, VolumeChangeError::ControlUnavailable));
  EXPECT_EQ("error on the volume change -2147467259 : DSERR_GENERIC\n", se::VolumeChangeErrorLine(-2147467259, VolumeChangeError::Generic));
  EXPECT_EQ("error on the volume change 40963 : DSERR_INVALIDPARAM\n", se::VolumeChangeErrorLine(40963, VolumeChangeError::InvalidParameter));
  EXPECT_EQ("error on the volume change -2005401530 : DSERR_PRIOLEVELNEEDED\n",
            se::VolumeChangeErrorLine(-2005401530, VolumeChangeError::PriorityLevelNeeded));
  EXPECT_EQ("error on the volume change -2147483648 : \n", se::VolumeChangeErrorLine(-2147483647 - 1, VolumeChangeError::Other));
}

}  // namespace
