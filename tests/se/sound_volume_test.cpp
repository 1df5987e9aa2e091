// The volume formula: factor → hundredths of a decibel → gain.
#include "se/sound_volume.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

TEST(SoundVolume, FactorBecomesHundredthsOfADecibelTruncatedTowardZeroAndOddFactorsFallOutsideTheRange) {
  EXPECT_EQ(0, se::AttenuationOf(1.0f));
  EXPECT_EQ(-5000, se::AttenuationOf(0.5f));
  EXPECT_EQ(-10000, se::AttenuationOf(0.0f));
  // 0.99995 × 10000 − 10000 = −0.5 in float arithmetic: truncation gives 0, not −1.
  EXPECT_EQ(0, se::AttenuationOf(0.99995f));
  EXPECT_EQ(10000, se::AttenuationOf(2.0f));
  // Unrepresentable factors give values outside the control's range.
  EXPECT_EQ(std::numeric_limits<std::int32_t>::min(), se::AttenuationOf(std::nanf("")));
  EXPECT_EQ(std::numeric_limits<std::int32_t>::max(), se::AttenuationOf(1e30f));
  EXPECT_EQ(std::numeric_limits<std::int32_t>::max(),
            se::AttenuationOf(std::numeric_limits<float>::infinity()));
  EXPECT_FALSE(se::IsAttenuationInRange(se::AttenuationOf(std::nanf(""))));
  EXPECT_FALSE(se::IsAttenuationInRange(1));
  EXPECT_FALSE(se::IsAttenuationInRange(-10001));
  EXPECT_TRUE(se::IsAttenuationInRange(-10000));
}

TEST(SoundVolume, GainIsTenToTheHundredthsOverTwoThousand) {
  EXPECT_FLOAT_EQ(1.0f, se::GainOf(0));
  EXPECT_NEAR(0.00316228f, se::GainOf(-5000), 1e-7f);
  EXPECT_NEAR(1e-5f, se::GainOf(-10000), 1e-9f);
}

}  // namespace
