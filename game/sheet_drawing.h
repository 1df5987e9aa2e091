// Drawing a rectangle of a tile sheet: the one place where sheet pixels become texture coordinates.
#pragma once

#include <cstdint>

#include "game/sheet_layout.h"
#include "ge/graphic_engine.h"

// Colour factors for the quad's white vertices (ge::TintQuad); the default leaves them white.
struct QuadTint {
  float r = 1.0f;
  float g = 1.0f;
  float b = 1.0f;
  float a = 1.0f;
};

// Draws `tile` of its sheet at (x, y), width × height on the logical screen, tinted, with the
// texture the caller has selected.
void drawSheetRect(ge::XGraphicEngine& engine, const SheetRect& tile, std::int32_t x, std::int32_t y,
                   std::int32_t width, std::int32_t height, QuadTint tint = {});
