// A 5 × 7 pixel font of our own for the lettering on the sheets and the labels of the contact sheet.
#pragma once

#include <string_view>

#include "tools/art/canvas.h"

namespace art {

inline constexpr int kGlyphWidth = 5;
inline constexpr int kGlyphHeight = 7;

// Draws `text` (capital letters, digits, space and . - : ! ? / x) with its top-left corner at (x, y),
// each font pixel `scale` × `scale` canvas pixels, glyphs one font pixel apart. Unknown characters
// are drawn as a hollow box. Returns the width drawn, in canvas pixels.
int DrawText(Canvas& canvas, int x, int y, std::string_view text, Colour colour, int scale = 1);

// Width of `text` as DrawText would draw it.
int TextWidth(std::string_view text, int scale = 1);

// Whether font pixel (column, row) of the glyph for `character` is set.
bool GlyphPixel(char character, int column, int row);

}  // namespace art
