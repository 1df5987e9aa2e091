// A small RGB drawing surface for the pixel-art generator.
#include "tools/art/canvas.h"

#include <algorithm>
#include <cassert>
#include <cstdlib>

namespace art {

namespace {

std::uint8_t clampByte(int value) { return static_cast<std::uint8_t>(std::clamp(value, 0, 255)); }

}  // namespace

Colour Mix(Colour from, Colour to, int weight) {
  auto channel = [weight](int a, int b) { return clampByte(a + ((b - a) * weight) / 256); };
  return {channel(from.r, to.r), channel(from.g, to.g), channel(from.b, to.b)};
}

Colour Shade(Colour colour, int percent) {
  Colour shaded{clampByte(colour.r * percent / 100), clampByte(colour.g * percent / 100),
                clampByte(colour.b * percent / 100)};
  return shaded == kClear ? kInk : shaded;
}

int BayerThreshold(int x, int y) {
  static constexpr int kMatrix[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
  return kMatrix[y & 3][x & 3];
}

Canvas::Canvas(int width, int height, Colour fill)
    : width_(width), height_(height), pixels_(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), fill) {
  assert(width > 0 && height > 0 && "a canvas has pixels");
}

Colour Canvas::get(int x, int y) const {
  if (!contains(x, y)) return kClear;
  return pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x)];
}

void Canvas::set(int x, int y, Colour colour) {
  if (!contains(x, y)) return;
  pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x)] = colour;
}

void Canvas::dither(int x, int y, Colour from, Colour to, int level) {
  set(x, y, BayerThreshold(x, y) < level ? to : from);
}

void Canvas::fillRect(int x, int y, int w, int h, Colour colour) {
  for (int row = y; row < y + h; ++row) {
    for (int column = x; column < x + w; ++column) set(column, row, colour);
  }
}

void Canvas::frameRect(int x, int y, int w, int h, Colour colour) {
  hline(x, x + w - 1, y, colour);
  hline(x, x + w - 1, y + h - 1, colour);
  vline(x, y, y + h - 1, colour);
  vline(x + w - 1, y, y + h - 1, colour);
}

void Canvas::hline(int x0, int x1, int y, Colour colour) {
  if (x0 > x1) std::swap(x0, x1);
  for (int x = x0; x <= x1; ++x) set(x, y, colour);
}

void Canvas::vline(int x, int y0, int y1, Colour colour) {
  if (y0 > y1) std::swap(y0, y1);
  for (int y = y0; y <= y1; ++y) set(x, y, colour);
}

void Canvas::line(int x0, int y0, int x1, int y1, Colour colour) {
  const int dx = std::abs(x1 - x0);
  const int dy = -std::abs(y1 - y0);
  const int stepX = x0 < x1 ? 1 : -1;
  const int stepY = y0 < y1 ? 1 : -1;
  int error = dx + dy;
  while (true) {
    set(x0, y0, colour);
    if (x0 == x1 && y0 == y1) break;
    const int twice = 2 * error;
    if (twice >= dy) {
      error += dy;
      x0 += stepX;
    }
    if (twice <= dx) {
      error += dx;
      y0 += stepY;
    }
  }
}

void Canvas::disc(int centreX2, int centreY2, double radius, Colour colour) {
  ring(centreX2, centreY2, radius, -1.0, colour);
}

void Canvas::ring(int centreX2, int centreY2, double outer, double inner, Colour colour) {
  // Distances are measured between pixel centres in half-pixel units, squared, in integers where
  // possible so that the result never depends on floating-point rounding.
  const long outer4 = static_cast<long>(outer * outer * 4.0 + 0.5);
  const long inner4 = inner < 0 ? -1 : static_cast<long>(inner * inner * 4.0 + 0.5);
  const int reach = static_cast<int>(outer) + 2;
  const int centreX = centreX2 / 2;
  const int centreY = centreY2 / 2;
  for (int y = centreY - reach; y <= centreY + reach; ++y) {
    for (int x = centreX - reach; x <= centreX + reach; ++x) {
      const long dx = 2L * x + 1 - centreX2;
      const long dy = 2L * y + 1 - centreY2;
      const long distance4 = dx * dx + dy * dy;
      if (distance4 <= outer4 && distance4 > inner4) set(x, y, colour);
    }
  }
}

void Canvas::polygon(const std::vector<int>& points, Colour colour) {
  assert(points.size() % 2 == 0 && points.size() >= 6 && "a polygon has three corners or more");
  int minY = points[1];
  int maxY = points[1];
  int minX = points[0];
  int maxX = points[0];
  for (std::size_t i = 0; i < points.size(); i += 2) {
    minX = std::min(minX, points[i]);
    maxX = std::max(maxX, points[i]);
    minY = std::min(minY, points[i + 1]);
    maxY = std::max(maxY, points[i + 1]);
  }
  const std::size_t corners = points.size() / 2;
  for (int y = minY; y <= maxY; ++y) {
    for (int x = minX; x <= maxX; ++x) {
      // Pixel centre (x + 0.5, y + 0.5), doubled to stay in integers.
      const long px = 2L * x + 1;
      const long py = 2L * y + 1;
      bool inside = false;
      for (std::size_t i = 0, j = corners - 1; i < corners; j = i++) {
        const long xi = 2L * points[2 * i], yi = 2L * points[2 * i + 1];
        const long xj = 2L * points[2 * j], yj = 2L * points[2 * j + 1];
        if ((yi > py) != (yj > py)) {
          // Crossing x of the edge at height py, compared without division.
          const long lhs = (px - xi) * (yj - yi);
          const long rhs = (xj - xi) * (py - yi);
          if ((yj - yi) > 0 ? lhs < rhs : lhs > rhs) inside = !inside;
        }
      }
      if (inside) set(x, y, colour);
    }
  }
}

void Canvas::verticalGradient(int x, int y, int w, int h, Colour top, Colour bottom) {
  for (int row = 0; row < h; ++row) {
    // 17 levels per band: the step between bands is dithered so no hard edge shows.
    const int position = h > 1 ? row * 256 / (h - 1) : 0;
    const int band = position / 32;
    const int within = (position % 32) / 2;
    const Colour from = Mix(top, bottom, band * 32);
    const Colour to = Mix(top, bottom, std::min(256, band * 32 + 32));
    for (int column = 0; column < w; ++column) dither(x + column, y + row, from, to, within);
  }
}

void Canvas::stamp(const Canvas& source, int x, int y) {
  for (int row = 0; row < source.height(); ++row) {
    for (int column = 0; column < source.width(); ++column) {
      const Colour colour = source.get(column, row);
      if (!(colour == kClear)) set(x + column, y + row, colour);
    }
  }
}

void Canvas::stampScaled(const Canvas& source, int x, int y, int scale) {
  for (int row = 0; row < source.height(); ++row) {
    for (int column = 0; column < source.width(); ++column) {
      const Colour colour = source.get(column, row);
      if (!(colour == kClear)) fillRect(x + column * scale, y + row * scale, scale, scale, colour);
    }
  }
}

void Canvas::paste(const Canvas& source, int x, int y) {
  for (int row = 0; row < source.height(); ++row) {
    for (int column = 0; column < source.width(); ++column) set(x + column, y + row, source.get(column, row));
  }
}

void Canvas::outline(int x, int y, int w, int h, Colour colour) {
  std::vector<std::pair<int, int>> marks;
  for (int row = y; row < y + h; ++row) {
    for (int column = x; column < x + w; ++column) {
      if (!(get(column, row) == kClear)) continue;
      const bool touches = !(get(column - 1, row) == kClear) || !(get(column + 1, row) == kClear) ||
                           !(get(column, row - 1) == kClear) || !(get(column, row + 1) == kClear);
      if (touches) marks.emplace_back(column, row);
    }
  }
  for (const auto& [column, row] : marks) set(column, row, colour);
}

ge::BmpImage Canvas::toImage() const {
  ge::BmpImage image;
  image.width = width_;
  image.height = height_;
  image.rgb.reserve(pixels_.size() * 3);
  for (const Colour& colour : pixels_) {
    image.rgb.push_back(colour.r);
    image.rgb.push_back(colour.g);
    image.rgb.push_back(colour.b);
  }
  return image;
}

}  // namespace art
