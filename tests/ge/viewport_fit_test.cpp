// Fitting the 640 × 480 picture into windows of every shape.
#include "ge/viewport_fit.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

TEST(ViewportFit, PictureIsCentredWithBarsOnTheLongerSide) {
  const struct {
    int windowWidth, windowHeight, x, y, width, height;
  } cases[] = {
      {640, 480, 0, 0, 640, 480},   {1920, 1080, 240, 0, 1440, 1080}, {1366, 768, 171, 0, 1024, 768},
      {640, 600, 0, 60, 640, 480},  {800, 825, 0, 112, 800, 600},     {1280, 960, 0, 0, 1280, 960},
      {0, 480, 0, 0, 0, 0},         {640, -1, 0, 0, 0, 0},            {2000000000, 1000, 999999333, 0, 1333, 1000},
  };
  for (const auto& c : cases) {
    const ge::ViewportFit fit = ge::FitBackBuffer(c.windowWidth, c.windowHeight);
    EXPECT_EQ((std::vector<int>{c.x, c.y, c.width, c.height}), (std::vector<int>{fit.x, fit.y, fit.width, fit.height}))
        << c.windowWidth << " x " << c.windowHeight;
  }
  for (int width = 1; width < 700; width += 7) {
    for (int height = 1; height < 700; height += 11) {
      const ge::ViewportFit fit = ge::FitBackBuffer(width, height);
      ASSERT_TRUE(fit.x >= 0 && fit.y >= 0 && fit.x + fit.width <= width && fit.y + fit.height <= height)
          << width << " x " << height;
      // 4:3 within one pixel of rounding, and touching two opposite window edges.
      ASSERT_LE(std::abs(fit.width * 3 - fit.height * 4), 4) << width << " x " << height;
      ASSERT_TRUE(fit.width == width || fit.height == height) << width << " x " << height;
    }
  }
}

}  // namespace
