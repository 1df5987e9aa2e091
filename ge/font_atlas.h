// The text font as one bitmap: every Windows-1251 byte's glyph rasterised once, with the metrics
// that place it. The engine uploads the bitmap as a texture; text is then drawn as glyph quads.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace ge {

// Where one glyph's ink lies, relative to the pen position on a line and the line's top.
struct GlyphBox {
  int left = 0;     // ink's left edge minus the pen's x
  int top = 0;      // ink's top edge minus the line's top
  int width = 0;    // 0 for a glyph with no ink (space, control bytes)
  int height = 0;
  int atlasX = 0;   // the ink's top-left pixel in the atlas
  int atlasY = 0;
  int advance = 0;  // how far the pen moves on
};

struct FontAtlas {
  int width = 0;                       // atlas pixels
  int height = 0;
  std::vector<std::uint8_t> coverage;  // width × height ink coverage bytes, top row first
  std::array<GlyphBox, 256> glyphs{};  // indexed by the Windows-1251 byte
  int ascent = 0;                      // baseline below the line's top
  int lineHeight = 0;                  // distance between the tops of two lines
  std::string family;                  // the family the face name resolved to
};

// One glyph rasterised before packing: its box without the atlas position, and its ink.
struct GlyphBitmap {
  GlyphBox box;
  std::vector<std::uint8_t> pixels;  // box.width × box.height coverage bytes, top row first
};

// Packs the glyphs (indexed by byte, at most 256) into the atlas, shelf by shelf, one pixel apart
// so that point sampling never picks up a neighbour, and copies their boxes into atlas.glyphs.
// The atlas's metrics and family are the caller's. False, with `error` saying why, when a glyph
// is wider than the atlas or its pixels do not match its box.
bool PackFontAtlas(const std::vector<GlyphBitmap>& glyphs, FontAtlas& atlas, std::string& error);

// The pixel size and line metrics of a font asked for by Windows cell height: Windows fits the
// face's usWinAscent + usWinDescent (font units, OS/2 table) into the cell.
struct CellMetrics {
  int pixelSize = 0;
  int ascent = 0;
  int descent = 0;
};
CellMetrics MetricsForCellHeight(int cellHeight, double unitsPerEm, int winAscent, int winDescent);

// Resolves `face` through fontconfig and rasterises bytes 0x20 to 0xFF, antialiased, at the size
// a Windows font of character cell height `cellHeight` has. Bytes below 0x20 have no glyph.
// On failure returns false and says why in `error`.
bool BuildFontAtlas(const char* face, int cellHeight, FontAtlas& atlas, std::string& error);

}  // namespace ge
