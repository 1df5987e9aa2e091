// The half-size back buffer: a 320 × 240 picture standing for the 640 × 480 one, each of its
// pixels a 2 × 2 block. It is exact only while every draw into it gives the same pixels at half
// size enlarged two times as at full size; these functions decide that and read it back at full
// size. They know no graphics API.
#pragma once

#include <cstdint>

#include "ge/graphic_engine.h"

namespace ge {

// What a quad samples: the texture's size in texels, the slot's scales (the fraction of the
// texture its image covers) and whether there is a texture at all (none: one white texel).
struct QuadTexture {
  int width = 1;
  int height = 1;
  float uScale = 1.0f;
  float vScale = 1.0f;
  bool textured = false;
};

// True when drawing the quad at half size and enlarging the result two times gives the same
// pixels as drawing it at full size: an upright rectangle on even pixel edges (each 2 × 2 block
// wholly in or out), one colour, and a texture mapped at exactly one texel to two pixels from a
// whole texel (every pixel of a block then samples the same texel, a quarter texel from any edge).
bool EnlargesExactly(const Quad& quad, const QuadTexture& texture);

// The half-size rows that full-size rows top .. top + count − 1 (count > 0) come from.
struct HalfRows {
  int first;
  int count;
};
HalfRows HalfRowsOf(int top, int count);

// Writes full-size rows top .. top + count − 1, R, G, B bytes, fullWidth pixels each, from the
// half-size rows `half` (R, G, B, (fullWidth / 2) pixels a row) that start at half row
// HalfRowsOf(top, count).first: each half-size pixel twice across and each row twice down.
void EnlargeHalfRows(const std::uint8_t* half, int fullWidth, int top, int count, std::uint8_t* rgb);

}  // namespace ge
