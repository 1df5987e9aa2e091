// Filling a texture slot of the OpenGL engine from a 24-bit BMP file, with an alpha mode:
// "Null" (opaque), "Auto" (exact black transparent) or the name of a second BMP of the same size
// whose blue channel is the alpha. Any problem with a file ends the program with a "GE" error.
//
// Two ways to call it: with the engine explicitly, or, as the start-up does, without it after the
// program has named its engine once with SetTextureTarget (the engine must outlive the loads).
#pragma once

#include <cstdint>

namespace ge {

class GraphicEngineGL;

void LoadTexture(GraphicEngineGL& engine, std::int32_t slot, const char* file, const char* alphaMode);

void SetTextureTarget(GraphicEngineGL* engine);
void LoadTexture(std::int32_t slot, const char* file, const char* alphaMode);

}  // namespace ge
