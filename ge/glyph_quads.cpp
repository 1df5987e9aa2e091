// Glyph quads (see the header).
#include "ge/glyph_quads.h"

namespace ge {

Quad GlyphQuad(const FontAtlas& atlas, const GlyphBox& box, int left, int top, std::uint32_t colour) {
  const float atlasWidth = static_cast<float>(atlas.width);
  const float atlasHeight = static_cast<float>(atlas.height);
  const float x0 = static_cast<float>(left);
  const float y0 = static_cast<float>(top);
  const float x1 = x0 + static_cast<float>(box.width);
  const float y1 = y0 + static_cast<float>(box.height);
  const float u0 = static_cast<float>(box.atlasX) / atlasWidth;
  const float v0 = static_cast<float>(box.atlasY) / atlasHeight;
  const float u1 = static_cast<float>(box.atlasX + box.width) / atlasWidth;
  const float v1 = static_cast<float>(box.atlasY + box.height) / atlasHeight;
  return Quad{{{x0, y0, colour, u0, v0}, {x1, y0, colour, u1, v0}, {x0, y1, colour, u0, v1}, {x1, y1, colour, u1, v1}}};
}

}  // namespace ge
