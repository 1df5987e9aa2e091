// Fitting the 640 × 480 picture into windows of every shape.
#include "ge/viewport_fit.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

void expectFit(int x, int y, int width, int height, const ge::ViewportFit& fit) {
  EXPECT_EQ(x, fit.x);
  EXPECT_EQ(y, fit.y);
  EXPECT_EQ(width, fit.width);
  EXPECT_EQ(height, fit.height);
}

TEST(ViewportFit, ExactWindowIsFilled) { expectFit(0, 0, 640, 480, ge::FitBackBuffer(640, 480)); }

TEST(ViewportFit, WideWindowGetsBarsLeftAndRight) {
  expectFit(240, 0, 1440, 1080, ge::FitBackBuffer(1920, 1080));
  expectFit(171, 0, 1024, 768, ge::FitBackBuffer(1366, 768));
}

TEST(ViewportFit, TallWindowGetsBarsAboveAndBelow) {
  expectFit(0, 60, 640, 480, ge::FitBackBuffer(640, 600));
  expectFit(0, 112, 800, 600, ge::FitBackBuffer(800, 825));
}

TEST(ViewportFit, LargerFourByThreeWindowIsFilledWholly) {
  expectFit(0, 0, 1280, 960, ge::FitBackBuffer(1280, 960));
  expectFit(0, 0, 320, 240, ge::FitBackBuffer(320, 240));
}

TEST(ViewportFit, PictureNeverLeavesTheWindowNorItsShape) {
  for (int width = 1; width < 700; width += 7) {
    for (int height = 1; height < 700; height += 11) {
      const ge::ViewportFit fit = ge::FitBackBuffer(width, height);
      ASSERT_GE(fit.x, 0);
      ASSERT_GE(fit.y, 0);
      ASSERT_LE(fit.x + fit.width, width);
      ASSERT_LE(fit.y + fit.height, height);
      // 4:3 within one pixel of rounding, and touching two opposite window edges.
      ASSERT_LE(std::abs(fit.width * 3 - fit.height * 4), 4) << width << " x " << height;
      ASSERT_TRUE(fit.width == width || fit.height == height) << width << " x " << height;
    }
  }
}

TEST(ViewportFit, WindowWithoutAreaGivesEmptyPicture) {
  expectFit(0, 0, 0, 0, ge::FitBackBuffer(0, 480));
  expectFit(0, 0, 0, 0, ge::FitBackBuffer(640, -1));
  const ge::ViewportFit huge = ge::FitBackBuffer(2000000000, 1000);
  EXPECT_EQ(1333, huge.width);
  EXPECT_EQ(1000, huge.height);
}

}  // namespace
