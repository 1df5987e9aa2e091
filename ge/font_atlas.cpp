// Packing rasterised glyphs into the font atlas, and the Windows cell-height sizing rule. Every
// rasteriser (FreeType here) only produces the glyph bitmaps and the face's metrics.
#include "ge/font_atlas.h"

#include <cmath>
#include <cstddef>
#include <cstring>

namespace ge {

namespace {

constexpr int kAtlasWidth = 256;

bool hasInk(const GlyphBox& box) { return box.width > 0 && box.height > 0; }

// Gives each glyph with ink its place; returns the atlas height, or 0 when a glyph is too wide.
int placeOnShelves(const std::vector<GlyphBitmap>& glyphs, std::array<GlyphBox, 256>& boxes) {
  int x = 1;
  int y = 1;
  int shelfHeight = 0;
  for (std::size_t byte = 0; byte < glyphs.size(); ++byte) {
    GlyphBox& box = boxes[byte];
    box = glyphs[byte].box;
    if (!hasInk(box)) continue;
    if (box.width + 2 > kAtlasWidth) return 0;
    if (x + box.width + 1 > kAtlasWidth) {
      x = 1;
      y += shelfHeight + 1;
      shelfHeight = 0;
    }
    box.atlasX = x;
    box.atlasY = y;
    x += box.width + 1;
    if (box.height > shelfHeight) shelfHeight = box.height;
  }
  return y + shelfHeight + 1;
}

}  // namespace

bool PackFontAtlas(const std::vector<GlyphBitmap>& glyphs, FontAtlas& atlas, std::string& error) {
  if (glyphs.size() > atlas.glyphs.size()) {
    error = "more glyphs than bytes";
    return false;
  }
  for (const GlyphBitmap& glyph : glyphs) {
    if (hasInk(glyph.box) &&
        glyph.pixels.size() != static_cast<std::size_t>(glyph.box.width) * static_cast<std::size_t>(glyph.box.height)) {
      error = "a glyph's pixels do not match its size";
      return false;
    }
  }
  std::array<GlyphBox, 256> boxes{};
  const int height = placeOnShelves(glyphs, boxes);
  if (height == 0) {
    error = "a glyph is wider than the atlas";
    return false;
  }
  atlas.width = kAtlasWidth;
  atlas.height = height;
  atlas.glyphs = boxes;
  atlas.coverage.assign(static_cast<std::size_t>(atlas.width) * static_cast<std::size_t>(atlas.height), 0);
  for (std::size_t byte = 0; byte < glyphs.size(); ++byte) {
    const GlyphBox& box = boxes[byte];
    if (!hasInk(box)) continue;
    for (int row = 0; row < box.height; ++row) {
      std::memcpy(&atlas.coverage[static_cast<std::size_t>(box.atlasY + row) * static_cast<std::size_t>(atlas.width) +
                                  static_cast<std::size_t>(box.atlasX)],
                  &glyphs[byte].pixels[static_cast<std::size_t>(row) * static_cast<std::size_t>(box.width)],
                  static_cast<std::size_t>(box.width));
    }
  }
  return true;
}

CellMetrics MetricsForCellHeight(int cellHeight, double unitsPerEm, int winAscent, int winDescent) {
  CellMetrics metrics;
  metrics.pixelSize = cellHeight;
  if (unitsPerEm > 0 && winAscent + winDescent > 0) {
    metrics.pixelSize = static_cast<int>(std::lround(cellHeight * unitsPerEm / (winAscent + winDescent)));
    metrics.ascent = static_cast<int>(std::lround(winAscent * metrics.pixelSize / unitsPerEm));
    metrics.descent = static_cast<int>(std::lround(winDescent * metrics.pixelSize / unitsPerEm));
  }
  return metrics;
}

}  // namespace ge
