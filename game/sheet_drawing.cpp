// Drawing a rectangle of a tile sheet at a place on the logical screen.
#include "game/sheet_drawing.h"

#include "ge/quad.h"

void drawSheetRect(ge::XGraphicEngine& engine, const SheetRect& tile, std::int32_t x, std::int32_t y,
                   std::int32_t width, std::int32_t height, QuadTint tint) {
  // Each edge over its sheet's size is a fraction with a power of two below (20 / 80 is 1 / 4), which
  // a float holds exactly: the quad samples the tile's own pixels and no neighbour's.
  const auto sheetWidth = static_cast<float>(tile.sheet.width);
  const auto sheetHeight = static_cast<float>(tile.sheet.height);
  ge::Quad quad;
  ge::MakeQuad(quad, static_cast<float>(x), static_cast<float>(y), static_cast<float>(width),
               static_cast<float>(height));
  ge::SetQuadTexture(quad, static_cast<float>(tile.x) / sheetWidth, static_cast<float>(tile.y) / sheetHeight,
                     static_cast<float>(tile.x + tile.width) / sheetWidth,
                     static_cast<float>(tile.y + tile.height) / sheetHeight);
  ge::TintQuad(quad, tint.r, tint.g, tint.b, tint.a);
  engine.DrawQuad(&quad);
}
