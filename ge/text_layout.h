// Placing a text on screen: each line centred on x in a 500-pixel box, the first line's top at y,
// "\n" starting the next line. Nothing is clipped.
#pragma once

#include <cmath>
#include <cstdint>

#include "ge/font_atlas.h"

namespace ge {

// The width of the line that starts at `text`: the advances of its bytes up to "\n" or the end.
inline int LineWidth(const FontAtlas& atlas, const char* text) {
  int width = 0;
  for (const char* c = text; *c != '\0' && *c != '\n'; ++c) {
    width += atlas.glyphs[static_cast<unsigned char>(*c)].advance;
  }
  return width;
}

// Truncates a coordinate toward zero (10.9 gives 10, -0.5 gives 0): text is drawn on whole pixels,
// so glyphs stay as sharp as their bitmaps. Out-of-range values and NaN give 0.
inline int TruncateCoordinate(float value) {
  if (!(std::fabs(value) < 1.0e9f)) return 0;
  return static_cast<int>(value);
}

// Calls place(box, left, top) for every glyph with ink, in text order; left and top are the
// screen position of the ink's top-left pixel.
template <typename Place>
void LayOutText(const FontAtlas& atlas, float x, float y, const char* text, Place&& place) {
  // The box spans 250 pixels each side of x; a line is centred in it by whole pixels.
  constexpr int kHalfBox = 250;
  const int boxLeft = TruncateCoordinate(x) - kHalfBox;
  int lineTop = TruncateCoordinate(y);
  const char* line = text;
  while (true) {
    int pen = boxLeft + (2 * kHalfBox - LineWidth(atlas, line)) / 2;
    const char* c = line;
    for (; *c != '\0' && *c != '\n'; ++c) {
      const GlyphBox& box = atlas.glyphs[static_cast<unsigned char>(*c)];
      if (box.width > 0 && box.height > 0) place(box, pen + box.left, lineTop + box.top);
      pen += box.advance;
    }
    if (*c == '\0') break;
    line = c + 1;
    lineTop += atlas.lineHeight;
  }
}

}  // namespace ge
