// The half-size back buffer's geometry (see the header).
#include "ge/half_size.h"

#include <cmath>
#include <cstddef>
#include <cstring>

namespace ge {

bool EnlargesExactly(const Quad& quad, const QuadTexture& texture) {
  const QuadVertex& topLeft = quad.vertices[0];
  const QuadVertex& topRight = quad.vertices[1];
  const QuadVertex& bottomLeft = quad.vertices[2];
  const QuadVertex& bottomRight = quad.vertices[3];
  const auto even = [](float value) { return value == 2.0f * std::floor(value / 2.0f); };
  const auto whole = [](double value) { return value == std::floor(value); };
  if (topLeft.x != bottomLeft.x || topRight.x != bottomRight.x || topLeft.y != topRight.y ||
      bottomLeft.y != bottomRight.y) {
    return false;
  }
  if (!even(topLeft.x) || !even(topRight.x) || !even(topLeft.y) || !even(bottomLeft.y)) return false;
  if (topLeft.x >= topRight.x || topLeft.y >= bottomLeft.y) return false;
  for (const QuadVertex& vertex : quad.vertices) {
    if (vertex.colour != topLeft.colour) return false;
  }
  if (!texture.textured) return true;  // one texel, whatever the coordinates
  const double width = texture.width;
  const double height = texture.height;
  const double left = static_cast<double>(topLeft.u * texture.uScale) * width;
  const double right = static_cast<double>(topRight.u * texture.uScale) * width;
  const double top = static_cast<double>(topLeft.v * texture.vScale) * height;
  const double bottom = static_cast<double>(bottomLeft.v * texture.vScale) * height;
  if (topLeft.u != bottomLeft.u || topRight.u != bottomRight.u || topLeft.v != topRight.v ||
      bottomLeft.v != bottomRight.v) {
    return false;
  }
  return whole(left) && whole(top) && (right - left) * 2.0 == static_cast<double>(topRight.x - topLeft.x) &&
         (bottom - top) * 2.0 == static_cast<double>(bottomLeft.y - topLeft.y);
}

HalfRows HalfRowsOf(int top, int count) {
  const int first = top / 2;
  return {first, (top + count - 1) / 2 - first + 1};
}

void EnlargeHalfRows(const std::uint8_t* half, int fullWidth, int top, int count, std::uint8_t* rgb) {
  const std::size_t halfRowBytes = static_cast<std::size_t>(fullWidth / 2) * 3;
  const std::size_t rowBytes = static_cast<std::size_t>(fullWidth) * 3;
  const int firstHalfRow = top / 2;
  for (int row = 0; row < count; ++row) {
    const std::uint8_t* source = half + static_cast<std::size_t>((top + row) / 2 - firstHalfRow) * halfRowBytes;
    std::uint8_t* out = rgb + static_cast<std::size_t>(row) * rowBytes;
    for (int column = 0; column < fullWidth; ++column) {
      std::memcpy(out + static_cast<std::size_t>(column) * 3, source + static_cast<std::size_t>(column / 2) * 3, 3);
    }
  }
}

}  // namespace ge
