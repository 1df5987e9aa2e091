// Filling a texture slot of a graphic engine from a 24-bit BMP file, with an alpha mode:
// "Null" (opaque), "Auto" (exact black transparent) or the name of a second BMP of the same size
// whose blue channel is the alpha. Any problem with a file ends the program with a "GE" error.
#pragma once

#include <cstdint>

namespace ge {

class XGraphicEngineAccess;

void LoadTexture(XGraphicEngineAccess& engine, std::int32_t slot, const char* file, const char* alphaMode);

}  // namespace ge
