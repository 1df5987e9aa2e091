// Text as quads: each glyph with ink becomes one quad that copies its ink from the font atlas,
// placed by ge/text_layout.h. Any renderer that draws text from an atlas texture uses it.
#pragma once

#include <cstdint>

#include "ge/font_atlas.h"
#include "ge/graphic_engine.h"
#include "ge/text_layout.h"

namespace ge {

// The quad of one glyph whose ink's top-left pixel is at (left, top): the ink's size on screen,
// texture coordinates as fractions of the atlas, the whole quad in `colour` (ARGB).
Quad GlyphQuad(const FontAtlas& atlas, const GlyphBox& box, int left, int top, std::uint32_t colour);

// Calls add(quad) for each glyph quad of `text` laid out at (x, y), in text order.
template <typename Add>
void ForEachGlyphQuad(const FontAtlas& atlas, float x, float y, const char* text, std::uint32_t colour, Add&& add) {
  LayOutText(atlas, x, y, text,
             [&](const GlyphBox& box, int left, int top) { add(GlyphQuad(atlas, box, left, top, colour)); });
}

}  // namespace ge
