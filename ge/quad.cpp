// Building and colouring quads; colour channels truncate and wrap, never clamp.
#include "ge/quad.h"

#include <cmath>

namespace ge {

namespace {

// trunc(value) keeping only its low 8 bits. Products are taken in double, as "c × 255.0" reads,
// so float rounding never lifts a product onto the next whole byte. Through a 64-bit integer so
// out-of-range factors wrap; a value no integer can hold (NaN, huge) gives 0 instead of undefined
// behaviour.
std::uint32_t truncatedByte(double value) {
  if (!(std::fabs(value) < 9.0e18)) return 0;
  return static_cast<std::uint32_t>(static_cast<std::int64_t>(value)) & 0xFFu;
}

}  // namespace

std::uint32_t ColourByte(float channel) { return truncatedByte(static_cast<double>(channel) * 255.0); }

std::uint32_t PackColour(float r, float g, float b, float a) {
  return (ColourByte(a) << 24) | (ColourByte(r) << 16) | (ColourByte(g) << 8) | ColourByte(b);
}

Quad& MakeQuad(Quad& quad, float x, float y, float w, float h) {
  const float right = x + w;
  const float bottom = y + h;
  quad.vertices[0] = {x, y, 0xFFFFFFFFu, 0.0f, 0.0f};
  quad.vertices[1] = {right, y, 0xFFFFFFFFu, 1.0f, 0.0f};
  quad.vertices[2] = {x, bottom, 0xFFFFFFFFu, 0.0f, 1.0f};
  quad.vertices[3] = {right, bottom, 0xFFFFFFFFu, 1.0f, 1.0f};
  return quad;
}

namespace {

std::uint32_t scaleByte(std::uint32_t byte, float factor) {
  return truncatedByte(static_cast<double>(byte) * static_cast<double>(factor));
}

}  // namespace

void TintQuad(Quad& quad, float r, float g, float b, float a) {
  for (QuadVertex& vertex : quad.vertices) {
    const std::uint32_t colour = vertex.colour;
    vertex.colour = (scaleByte(colour >> 24, a) << 24) | (scaleByte((colour >> 16) & 0xFF, r) << 16) |
                    (scaleByte((colour >> 8) & 0xFF, g) << 8) | scaleByte(colour & 0xFF, b);
  }
}

void SetQuadTexture(Quad& quad, float u0, float v0, float u1, float v1) {
  quad.vertices[0].u = u0;
  quad.vertices[0].v = v0;
  quad.vertices[1].u = u1;
  quad.vertices[1].v = v0;
  quad.vertices[2].u = u0;
  quad.vertices[2].v = v1;
  quad.vertices[3].u = u1;
  quad.vertices[3].v = v1;
}

}  // namespace ge
