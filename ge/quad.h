// Building and colouring quads.
#pragma once

#include <cstdint>

#include "ge/graphic_engine.h"

namespace ge {

// An opaque white quad at (x, y) of size w × h covering the whole image: writes `quad` and returns it.
Quad& MakeQuad(Quad& quad, float x, float y, float w, float h);

// Multiplies each vertex colour channel by the factor: trunc(byte × factor), low 8 bits kept.
void TintQuad(Quad& quad, float r, float g, float b, float a);

// Replaces the texture rectangle: (u0, v0) at the top-left vertex, (u1, v1) at the bottom-right.
void SetQuadTexture(Quad& quad, float u0, float v0, float u1, float v1);

// A float colour channel as a byte: trunc(c × 255), of which only the low 8 bits remain.
std::uint32_t ColourByte(float channel);

// ARGB from four float channels by the rule above.
std::uint32_t PackColour(float r, float g, float b, float a);

}  // namespace ge
