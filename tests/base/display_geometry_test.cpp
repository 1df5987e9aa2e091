// The display geometry: the picture fitted into windows of every shape, and window pixels mapped
// back onto the picture and the logical screen.
#include "base/display_geometry.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

namespace {

TEST(DisplayGeometry, PictureIsCentredWithBarsOnTheLongerSide) {
  const struct {
    int windowWidth, windowHeight, x, y, width, height;
  } cases[] = {
      {640, 480, 0, 0, 640, 480},   {1920, 1080, 240, 0, 1440, 1080}, {1366, 768, 171, 0, 1024, 768},
      {640, 600, 0, 60, 640, 480},  {800, 825, 0, 112, 800, 600},     {1280, 960, 0, 0, 1280, 960},
      {0, 480, 0, 0, 0, 0},         {640, -1, 0, 0, 0, 0},            {2000000000, 1000, 999999333, 0, 1333, 1000},
  };
  for (const auto& c : cases) {
    const display::Fit fit = display::FitBackBuffer(c.windowWidth, c.windowHeight);
    EXPECT_EQ((std::vector<int>{c.x, c.y, c.width, c.height}), (std::vector<int>{fit.x, fit.y, fit.width, fit.height}))
        << c.windowWidth << " x " << c.windowHeight;
  }
  for (int width = 1; width < 700; width += 7) {
    for (int height = 1; height < 700; height += 11) {
      const display::Fit fit = display::FitBackBuffer(width, height);
      ASSERT_TRUE(fit.x >= 0 && fit.y >= 0 && fit.x + fit.width <= width && fit.y + fit.height <= height)
          << width << " x " << height;
      // 4:3 within one pixel of rounding, and touching two opposite window edges.
      ASSERT_LE(std::abs(fit.width * 3 - fit.height * 4), 4) << width << " x " << height;
      ASSERT_TRUE(fit.width == width || fit.height == height) << width << " x " << height;
    }
  }
}

TEST(DisplayGeometry, WindowPixelsMapBackOntoThePicture) {
  const struct {
    int windowWidth, windowHeight, windowX, windowY, x, y;
  } cases[] = {
      {640, 480, 0, 0, 0, 0},        {640, 480, 639, 479, 639, 479},   {640, 480, 640, 480, 640, 480},
      {1920, 1080, 240, 0, 0, 0},    {1920, 1080, 239, 0, -1, 0},      {1920, 1080, 1679, 1079, 639, 479},
      {1920, 1080, 960, 540, 320, 240}, {1280, 960, 1, 1, 0, 0},       {1280, 960, 2, 3, 1, 1},
      {640, 600, 0, 59, 0, -1},      {640, 600, 0, 60, 0, 0},          {0, 0, 17, 23, 17, 23},
  };
  for (const auto& c : cases) {
    const display::Point point =
        display::WindowToBackBuffer(display::FitBackBuffer(c.windowWidth, c.windowHeight), c.windowX, c.windowY);
    EXPECT_EQ((std::vector<int>{c.x, c.y}), (std::vector<int>{point.x, point.y}))
        << c.windowWidth << " x " << c.windowHeight << " at " << c.windowX << ", " << c.windowY;
  }
}

TEST(DisplayGeometry, EveryLogicalPixelShownInAWindowMapsBackToItself) {
  // Presenting then mapping back lands in the same logical pixel, for every window shape: the
  // player clicks what the player sees.
  for (const auto& [width, height] : std::vector<std::pair<int, int>>{{640, 480}, {1920, 1080}, {1366, 768}, {800, 825}}) {
    const display::Fit fit = display::FitBackBuffer(width, height);
    for (int logicalX = 0; logicalX < display::kLogicalWidth; logicalX += 7) {
      for (int logicalY = 0; logicalY < display::kLogicalHeight; logicalY += 5) {
        // The window pixel at the middle of the logical pixel's block.
        const long long windowX = fit.x + (2LL * logicalX + 1) * fit.width / (2LL * display::kLogicalWidth);
        const long long windowY = fit.y + (2LL * logicalY + 1) * fit.height / (2LL * display::kLogicalHeight);
        const display::Point point =
            display::WindowToBackBuffer(fit, static_cast<int>(windowX), static_cast<int>(windowY));
        ASSERT_EQ(logicalX, display::ToLogical(point.x)) << width << " x " << height;
        ASSERT_EQ(logicalY, display::ToLogical(point.y)) << width << " x " << height;
      }
    }
  }
}

TEST(DisplayGeometry, LogicalCoordinatesTruncateTowardZero) {
  const struct {
    int backBuffer, logical;
  } cases[] = {{0, 0}, {1, 0}, {2, 1}, {639, 319}, {-1, 0}, {-2, -1}, {-3, -1}};
  for (const auto& c : cases) EXPECT_EQ(c.logical, display::ToLogical(c.backBuffer)) << c.backBuffer;
  EXPECT_EQ(2 * 17, display::ToBackBuffer(17));
}

}  // namespace
