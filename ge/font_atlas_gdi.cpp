// The text font through GDI: the face asked for by name, each Windows-1251 byte's character taken
// through code page 1251 and rasterised with grey antialiasing by GetGlyphOutlineW.
//
// Supports: any face GDI has or substitutes (Wine answers "Courier New" with Liberation Mono), a
// font of the given character cell height (ascent plus descent), 65 grey levels scaled to 0..255.
// Does not: ClearType, kerning, glyphs of bytes below 0x20. A byte with no character in code page
// 1251 (0x98) shows the face's default glyph.
#include <windows.h>

#include <cstring>

#include "ge/font_atlas.h"

namespace ge {

namespace {

constexpr int kAtlasWidth = 256;
constexpr int kFirstPrintable = 0x20;
constexpr int kGrayLevels = 64;  // GGO_GRAY8_BITMAP gives coverage 0..64

struct RasterGlyph {
  GlyphBox box;
  std::vector<std::uint8_t> pixels;  // box.width × box.height coverage, top row first
};

// A memory device context with the font selected, released together.
class FontContext {
 public:
  FontContext(const wchar_t* face, int cellHeight) {
    dc = CreateCompatibleDC(nullptr);
    // A positive height asks for the character cell's height, as the game's font is specified.
    font = CreateFontW(cellHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, RUSSIAN_CHARSET, OUT_TT_PRECIS,
                       CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, FIXED_PITCH | FF_MODERN, face);
    if (dc != nullptr && font != nullptr) previous = SelectObject(dc, font);
  }
  ~FontContext() {
    if (previous != nullptr) SelectObject(dc, previous);
    if (font != nullptr) DeleteObject(font);
    if (dc != nullptr) DeleteDC(dc);
  }
  FontContext(const FontContext&) = delete;
  FontContext& operator=(const FontContext&) = delete;

  bool ready() const { return previous != nullptr; }
  HDC context() const { return dc; }

 private:
  HDC dc = nullptr;
  HFONT font = nullptr;
  HGDIOBJ previous = nullptr;
};

std::wstring wideFromCodePage(const char* text, unsigned codePage) {
  const int length = MultiByteToWideChar(codePage, 0, text, -1, nullptr, 0);
  if (length <= 0) return {};
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(codePage, 0, text, -1, wide.data(), length);
  wide.resize(static_cast<std::size_t>(length - 1));
  return wide;
}

std::string narrowFromWide(const wchar_t* text) {
  const int length = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (length <= 0) return {};
  std::string narrow(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, -1, narrow.data(), length, nullptr, nullptr);
  narrow.resize(static_cast<std::size_t>(length - 1));
  return narrow;
}

// The character of one code-page byte; 0xFFFF (no character, the default glyph) when it has none.
wchar_t characterOfByte(int byte) {
  const char single = static_cast<char>(byte);
  wchar_t character = 0;
  if (MultiByteToWideChar(1251, MB_ERR_INVALID_CHARS, &single, 1, &character, 1) != 1) return 0xFFFF;
  return character;
}

bool rasterise(HDC dc, wchar_t character, int ascent, RasterGlyph& glyph) {
  static const MAT2 identity = {{0, 1}, {0, 0}, {0, 0}, {0, 1}};
  GLYPHMETRICS metrics{};
  const DWORD size = GetGlyphOutlineW(dc, character, GGO_GRAY8_BITMAP, &metrics, 0, nullptr, &identity);
  if (size == GDI_ERROR) return false;
  glyph.box.advance = metrics.gmCellIncX;
  if (size == 0) return true;  // no ink: a space
  std::vector<std::uint8_t> buffer(size);
  if (GetGlyphOutlineW(dc, character, GGO_GRAY8_BITMAP, &metrics, size, buffer.data(), &identity) == GDI_ERROR) {
    return false;
  }
  const int width = static_cast<int>(metrics.gmBlackBoxX);
  const int height = static_cast<int>(metrics.gmBlackBoxY);
  const int pitch = (width + 3) & ~3;  // rows are DWORD-aligned
  if (static_cast<std::size_t>(pitch) * static_cast<std::size_t>(height) > buffer.size()) return false;
  glyph.pixels.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
  for (int row = 0; row < height; ++row) {
    for (int column = 0; column < width; ++column) {
      const unsigned level = buffer[static_cast<std::size_t>(row * pitch + column)];
      glyph.pixels[static_cast<std::size_t>(row * width + column)] =
          static_cast<std::uint8_t>((level > kGrayLevels ? kGrayLevels : level) * 255u / kGrayLevels);
    }
  }
  glyph.box.width = width;
  glyph.box.height = height;
  glyph.box.left = metrics.gmptGlyphOrigin.x;
  glyph.box.top = ascent - metrics.gmptGlyphOrigin.y;
  return true;
}

// Shelf packing, one pixel apart so point sampling never picks up a neighbour.
bool pack(std::vector<RasterGlyph>& raster, FontAtlas& atlas, std::string& error) {
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
    for (int row = 0; row < glyph.box.height; ++row) {
      std::memcpy(&atlas.coverage[static_cast<std::size_t>(glyph.box.atlasY + row) * atlas.width + glyph.box.atlasX],
                  &glyph.pixels[static_cast<std::size_t>(row) * static_cast<std::size_t>(glyph.box.width)],
                  static_cast<std::size_t>(glyph.box.width));
    }
  }
  return true;
}

}  // namespace

bool BuildFontAtlas(const char* face, int cellHeight, FontAtlas& atlas, std::string& error) {
  // Face names are plain text in the program's code page, as the game's texts are.
  const std::wstring wideFace = wideFromCodePage(face, 1251);
  FontContext font(wideFace.c_str(), cellHeight);
  if (!font.ready()) {
    error = std::string("GDI cannot make the font \"") + face + "\"";
    return false;
  }
  TEXTMETRICW metrics{};
  wchar_t family[LF_FACESIZE] = {};
  if (!GetTextMetricsW(font.context(), &metrics) || GetTextFaceW(font.context(), LF_FACESIZE, family) == 0) {
    error = std::string("GDI cannot measure the font \"") + face + "\"";
    return false;
  }
  atlas.ascent = metrics.tmAscent;
  atlas.lineHeight = metrics.tmAscent + metrics.tmDescent;
  atlas.family = narrowFromWide(family);

  std::vector<RasterGlyph> raster(256);
  for (int byte = kFirstPrintable; byte < 256; ++byte) {
    if (!rasterise(font.context(), characterOfByte(byte), atlas.ascent, raster[static_cast<std::size_t>(byte)])) {
      error = "GDI cannot render the glyph of byte " + std::to_string(byte);
      return false;
    }
  }
  return pack(raster, atlas, error);
}

}  // namespace ge
