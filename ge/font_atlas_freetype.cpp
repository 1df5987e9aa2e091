// The text font through fontconfig (face name to file) and FreeType (antialiased glyph bitmaps);
// the packing into the atlas is ge/font_atlas.cpp's. The font is asked for by cell height and
// sized from the face's OS/2 table so that the whole cell (ascent plus descent) is that many
// pixels: a 14-pixel cell gives every text the same ascent, line height and advance on every
// machine whose fontconfig finds the face.
// Supports: TrueType and OpenType faces, grey and monochrome bitmaps. Does not: colour glyphs,
// kerning.
#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <cstddef>

#include "base/cp1251.h"
#include "ge/font_atlas.h"

namespace ge {

namespace {

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

// An open FreeType face, closed with the object.
class OpenFace {
 public:
  OpenFace() = default;
  ~OpenFace() {
    if (face != nullptr) FT_Done_Face(face);
    if (library != nullptr) FT_Done_FreeType(library);
  }
  OpenFace(const OpenFace&) = delete;
  OpenFace& operator=(const OpenFace&) = delete;

  bool Open(const std::string& file, int index, std::string& error) {
    if (FT_Init_FreeType(&library) != 0) {
      library = nullptr;
      error = "FreeType cannot start";
      return false;
    }
    if (FT_New_Face(library, file.c_str(), index, &face) != 0) {
      face = nullptr;
      error = "FreeType cannot open " + file;
      return false;
    }
    return true;
  }
  FT_Face Face() const { return face; }

 private:
  FT_Library library = nullptr;
  FT_Face face = nullptr;
};

// Sizes the face for the cell height and sets the atlas's ascent and line height.
bool sizeFace(FT_Face face, int cellHeight, FontAtlas& atlas, std::string& error) {
  const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
  const CellMetrics metrics = os2 != nullptr ? MetricsForCellHeight(cellHeight, face->units_per_EM, os2->usWinAscent,
                                                                    os2->usWinDescent)
                                             : MetricsForCellHeight(cellHeight, 0, 0, 0);
  if (metrics.pixelSize <= 0 || FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(metrics.pixelSize)) != 0) {
    error = "the font cannot be sized";
    return false;
  }
  int ascent = metrics.ascent;
  int descent = metrics.descent;
  if (ascent + descent <= 0) {
    // Not a TrueType face with Windows metrics: take FreeType's own.
    ascent = static_cast<int>(face->size->metrics.ascender / 64);
    descent = static_cast<int>(-face->size->metrics.descender / 64);
  }
  atlas.ascent = ascent;
  atlas.lineHeight = ascent + descent;
  return true;
}

// Rasterises bytes 0x20 to 0xFF; the glyphs of the bytes below stay empty.
bool rasteriseGlyphs(FT_Face face, int ascent, std::vector<GlyphBitmap>& glyphs, std::string& error) {
  glyphs.assign(256, GlyphBitmap{});
  for (int byte = kFirstPrintable; byte < 256; ++byte) {
    // A byte with no character (0x98) or a character the face lacks shows the face's missing-glyph box.
    const char32_t character = cp1251::ToUnicode(static_cast<unsigned char>(byte));
    const FT_UInt glyphIndex = character != 0 ? FT_Get_Char_Index(face, character) : 0;
    if (FT_Load_Glyph(face, glyphIndex, FT_LOAD_RENDER | FT_LOAD_TARGET_NORMAL) != 0) {
      error = "FreeType cannot render the glyph of byte " + std::to_string(byte);
      return false;
    }
    const FT_GlyphSlot slot = face->glyph;
    GlyphBitmap& glyph = glyphs[static_cast<std::size_t>(byte)];
    if (!copyBitmap(slot->bitmap, glyph.pixels)) {
      error = "FreeType gave an unexpected bitmap format";
      return false;
    }
    glyph.box.width = static_cast<int>(slot->bitmap.width);
    glyph.box.height = static_cast<int>(slot->bitmap.rows);
    glyph.box.left = slot->bitmap_left;
    glyph.box.top = ascent - slot->bitmap_top;
    glyph.box.advance = static_cast<int>((slot->advance.x + 32) / 64);
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
  std::vector<GlyphBitmap> glyphs;
  {
    OpenFace open;
    if (!open.Open(file, faceIndex, error) || !sizeFace(open.Face(), cellHeight, atlas, error) ||
        !rasteriseGlyphs(open.Face(), atlas.ascent, glyphs, error)) {
      return false;
    }
  }
  return PackFontAtlas(glyphs, atlas, error);
}

}  // namespace ge
