// Icons resampled from the logo by area: every icon pixel is the coverage-weighted mean of the logo
// pixels under it. Whole-number arithmetic only, so the files are the same bytes on every machine.
#include "tools/art/icons.h"

#include <cstdint>

#include "tools/art/sheets.h"

namespace art {

namespace {

// A square part of the logo.
struct Square {
  int x, y, side;
};

// The whole logo, and the emblem above the lettering (columns 11..88, rows 0..77).
constexpr Square kWholeLogo{0, 0, 100};
constexpr Square kEmblem{11, 0, 78};
// Below this size the lettering is too small to read.
constexpr int kSmallestSizeWithLettering = 64;

// How much of source pixel `source` (0..side-1) lies under target pixel `target` (0..size-1), both
// measured in units where a source pixel is `size` long and a target pixel `side` long.
std::int64_t overlap(int source, int target, int side, int size) {
  const std::int64_t sourceStart = static_cast<std::int64_t>(source) * size;
  const std::int64_t targetStart = static_cast<std::int64_t>(target) * side;
  const std::int64_t start = sourceStart > targetStart ? sourceStart : targetStart;
  const std::int64_t sourceEnd = sourceStart + size;
  const std::int64_t targetEnd = targetStart + side;
  const std::int64_t end = sourceEnd < targetEnd ? sourceEnd : targetEnd;
  return end > start ? end - start : 0;
}

std::uint8_t roundedQuotient(std::int64_t numerator, std::int64_t denominator) {
  return static_cast<std::uint8_t>((numerator * 2 + denominator) / (denominator * 2));
}

}  // namespace

IconPicture DrawIcon(int size) {
  const Canvas logo = DrawLogo();
  const Square part = size >= kSmallestSizeWithLettering ? kWholeLogo : kEmblem;
  IconPicture icon;
  icon.size = size;
  icon.rgba.resize(static_cast<std::size_t>(size) * static_cast<std::size_t>(size) * 4);
  // Each target pixel covers side × side units in each direction: side² in all.
  const std::int64_t area = static_cast<std::int64_t>(part.side) * part.side;
  for (int ty = 0; ty < size; ++ty) {
    for (int tx = 0; tx < size; ++tx) {
      std::int64_t covered = 0;
      std::int64_t red = 0, green = 0, blue = 0;
      // Only the source pixels that can overlap: those from ⌊t·side/size⌋ to ⌊(t+1)·side/size⌋.
      const int firstY = ty * part.side / size;
      const int lastY = ((ty + 1) * part.side - 1) / size;
      const int firstX = tx * part.side / size;
      const int lastX = ((tx + 1) * part.side - 1) / size;
      for (int sy = firstY; sy <= lastY; ++sy) {
        const std::int64_t weightY = overlap(sy, ty, part.side, size);
        for (int sx = firstX; sx <= lastX; ++sx) {
          const Colour colour = logo.get(part.x + sx, part.y + sy);
          if (colour == kClear) continue;  // the logo's background: see-through in the icon
          const std::int64_t weight = weightY * overlap(sx, tx, part.side, size);
          covered += weight;
          red += weight * colour.r;
          green += weight * colour.g;
          blue += weight * colour.b;
        }
      }
      std::uint8_t* pixel = &icon.rgba[(static_cast<std::size_t>(ty) * static_cast<std::size_t>(size) + static_cast<std::size_t>(tx)) * 4];
      if (covered == 0) continue;  // stays all zero: transparent
      pixel[0] = roundedQuotient(red, covered);
      pixel[1] = roundedQuotient(green, covered);
      pixel[2] = roundedQuotient(blue, covered);
      pixel[3] = roundedQuotient(covered * 255, area);
    }
  }
  return icon;
}

}  // namespace art
