// The text font through fontconfig (face name to file) and FreeType (antialiased glyph bitmaps).
// The font is asked for by cell height and sized from the face's OS/2 table so that the whole
// cell (ascent plus descent) is that many pixels: a 14-pixel cell gives every text the same
// ascent, line height and advance on every machine whose fontconfig finds the face.
#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <cmath>
#include <cstdio>
#include <cstring>

#include "base/cp1251.h"
#include "ge/font_atlas.h"

namespace ge {

namespace {

constexpr int kAtlasWidth = 256;
constexpr int kFirstPrintable = 0x20;

// fontconfig's answer for a face name: the file, its face index and the family actually matched.
bool resolveFace(const char* face, std::string& file, int& index, std::string& family) {
  FcConfig* config = FcInitLoadConfigAndFonts();
  if (config == nullptr) return false;
  FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>(face));
  bool found = false;
  if (pattern != nullptr) {
    FcConfigSubstitute(config, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(config, pattern, &result);
    if (match != nullptr) {
      FcChar8* path = nullptr;
      FcChar8* name = nullptr;
      int faceIndex = 0;
      if (FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch && path != nullptr) {
        file = reinterpret_cast<const char*>(path);
        found = true;
      }
      if (FcPatternGetInteger(match, FC_INDEX, 0, &faceIndex) == FcResultMatch) index = faceIndex;
      if (FcPatternGetString(match, FC_FAMILY, 0, &name) == FcResultMatch && name != nullptr) {
        family = reinterpret_cast<const char*>(name);
      }
      FcPatternDestroy(match);
    }
    FcPatternDestroy(pattern);
  }
  FcConfigDestroy(config);
  return found;
}

// One rasterised glyph before packing.
struct RasterGlyph {
  GlyphBox box;
  std::vector<std::uint8_t> pixels;  // box.width × box.height coverage, top row first
};

// Copies the current glyph slot's bitmap as coverage bytes (0..255), whatever its pixel mode.
bool copyBitmap(const FT_Bitmap& bitmap, std::vector<std::uint8_t>& pixels) {
  const int width = static_cast<int>(bitmap.width);
  const int height = static_cast<int>(bitmap.rows);
  pixels.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
  const int pitch = bitmap.pitch < 0 ? -bitmap.pitch : bitmap.pitch;
  for (int row = 0; row < height; ++row) {
    // A negative pitch stores the rows bottom-up.
    const int sourceRow = bitmap.pitch < 0 ? height - 1 - row : row;
    const unsigned char* source = bitmap.buffer + static_cast<std::ptrdiff_t>(sourceRow) * pitch;
    std::uint8_t* target = pixels.data() + static_cast<std::size_t>(row) * static_cast<std::size_t>(width);
    for (int column = 0; column < width; ++column) {
      if (bitmap.pixel_mode == FT_PIXEL_MODE_GRAY) {
        const unsigned levels = bitmap.num_grays > 1 ? bitmap.num_grays - 1u : 255u;
        target[column] = static_cast<std::uint8_t>(source[column] * 255u / levels);
      } else if (bitmap.pixel_mode == FT_PIXEL_MODE_MONO) {
        target[column] = (source[column / 8] & (0x80 >> (column % 8))) != 0 ? 255 : 0;
      } else {
        return false;
      }
    }
  }
  return true;
}

}  // namespace

bool BuildFontAtlas(const char* face, int cellHeight, FontAtlas& atlas, std::string& error) {
  std::string file;
  int faceIndex = 0;
  if (!resolveFace(face, file, faceIndex, atlas.family)) {
    error = std::string("no font file matches \"") + face + "\"";
    return false;
  }

  FT_Library library = nullptr;
  if (FT_Init_FreeType(&library) != 0) {
    error = "FreeType cannot start";
    return false;
  }
  FT_Face ftFace = nullptr;
  if (FT_New_Face(library, file.c_str(), faceIndex, &ftFace) != 0) {
    FT_Done_FreeType(library);
    error = "FreeType cannot open " + file;
    return false;
  }

  // Windows fits usWinAscent + usWinDescent into the cell; the pixel size follows from that.
  int pixelSize = cellHeight;
  int ascent = 0;
  int descent = 0;
  const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(ftFace, FT_SFNT_OS2));
  const double unitsPerEm = ftFace->units_per_EM;
  if (os2 != nullptr && unitsPerEm > 0 && os2->usWinAscent + os2->usWinDescent > 0) {
    pixelSize = static_cast<int>(std::lround(cellHeight * unitsPerEm / (os2->usWinAscent + os2->usWinDescent)));
    ascent = static_cast<int>(std::lround(os2->usWinAscent * pixelSize / unitsPerEm));
    descent = static_cast<int>(std::lround(os2->usWinDescent * pixelSize / unitsPerEm));
  }
  if (pixelSize <= 0 || FT_Set_Pixel_Sizes(ftFace, 0, static_cast<FT_UInt>(pixelSize)) != 0) {
    FT_Done_Face(ftFace);
    FT_Done_FreeType(library);
    error = "the font cannot be sized";
    return false;
  }
  if (ascent + descent <= 0) {
    // Not a TrueType face with Windows metrics: take FreeType's own.
    ascent = static_cast<int>(ftFace->size->metrics.ascender / 64);
    descent = static_cast<int>(-ftFace->size->metrics.descender / 64);
  }
  atlas.ascent = ascent;
  atlas.lineHeight = ascent + descent;

  std::vector<RasterGlyph> raster(256);
  bool ok = true;
  for (int byte = kFirstPrintable; byte < 256 && ok; ++byte) {
    // A byte with no character (0x98) or a character the face lacks shows the face's missing-glyph box.
    const char32_t character = cp1251::ToUnicode(static_cast<unsigned char>(byte));
    const FT_UInt glyphIndex = character != 0 ? FT_Get_Char_Index(ftFace, character) : 0;
    if (FT_Load_Glyph(ftFace, glyphIndex, FT_LOAD_RENDER | FT_LOAD_TARGET_NORMAL) != 0) {
      error = "FreeType cannot render the glyph of byte " + std::to_string(byte);
      ok = false;
      break;
    }
    const FT_GlyphSlot slot = ftFace->glyph;
    RasterGlyph& glyph = raster[static_cast<std::size_t>(byte)];
    if (!copyBitmap(slot->bitmap, glyph.pixels)) {
      error = "FreeType gave an unexpected bitmap format";
      ok = false;
      break;
    }
    glyph.box.width = static_cast<int>(slot->bitmap.width);
    glyph.box.height = static_cast<int>(slot->bitmap.rows);
    glyph.box.left = slot->bitmap_left;
    glyph.box.top = ascent - slot->bitmap_top;
    glyph.box.advance = static_cast<int>((slot->advance.x + 32) / 64);
  }
  FT_Done_Face(ftFace);
  FT_Done_FreeType(library);
  if (!ok) return false;

  // Shelf packing, one pixel apart so point sampling never picks up a neighbour.
  int x = 1;
  int y = 1;
  int shelfHeight = 0;
  for (RasterGlyph& glyph : raster) {
    if (glyph.box.width == 0 || glyph.box.height == 0) continue;
    if (glyph.box.width + 2 > kAtlasWidth) {
      error = "a glyph is wider than the atlas";
      return false;
    }
    if (x + glyph.box.width + 1 > kAtlasWidth) {
      x = 1;
      y += shelfHeight + 1;
      shelfHeight = 0;
    }
    glyph.box.atlasX = x;
    glyph.box.atlasY = y;
    x += glyph.box.width + 1;
    if (glyph.box.height > shelfHeight) shelfHeight = glyph.box.height;
  }
  atlas.width = kAtlasWidth;
  atlas.height = y + shelfHeight + 1;
  atlas.coverage.assign(static_cast<std::size_t>(atlas.width) * static_cast<std::size_t>(atlas.height), 0);
  for (std::size_t byte = 0; byte < raster.size(); ++byte) {
    const RasterGlyph& glyph = raster[byte];
    atlas.glyphs[byte] = glyph.box;
    if (glyph.box.width == 0 || glyph.box.height == 0) continue;
    for (int row = 0; row < glyph.box.height; ++row) {
      std::memcpy(&atlas.coverage[static_cast<std::size_t>(glyph.box.atlasY + row) * atlas.width + glyph.box.atlasX],
                  &glyph.pixels[static_cast<std::size_t>(row) * static_cast<std::size_t>(glyph.box.width)],
                  static_cast<std::size_t>(glyph.box.width));
    }
  }
  return true;
}

}  // namespace ge
