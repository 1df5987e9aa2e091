// Fitting the 640 × 480 picture into the window: the largest centred 4:3 rectangle.
#include "ge/viewport_fit.h"

namespace ge {

ViewportFit FitBackBuffer(int windowWidth, int windowHeight) {
  if (windowWidth <= 0 || windowHeight <= 0) return {0, 0, 0, 0};
  // 64-bit products: a huge window must not overflow the comparison of shapes.
  const long long wide = static_cast<long long>(windowWidth) * 3;
  const long long tall = static_cast<long long>(windowHeight) * 4;
  int width = windowWidth;
  int height = windowHeight;
  if (wide > tall) {
    // Wider than 4:3: full height, bars left and right.
    width = static_cast<int>(tall / 3);
  } else if (wide < tall) {
    // Taller than 4:3: full width, bars above and below.
    height = static_cast<int>(wide / 4);
  }
  return {(windowWidth - width) / 2, (windowHeight - height) / 2, width, height};
}

}  // namespace ge
