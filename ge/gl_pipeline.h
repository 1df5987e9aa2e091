// The OpenGL drawing pipeline: the shaders, the fixed state (source-alpha blending, no depth, no
// culling), the vertex and index buffers, the render target's binding and the draw calls that
// send a quad batch. The header names no GL type.
// Supports: one program and one vertex layout (position, ARGB colour, texture coordinate) for
// quads and glyphs alike; any framebuffer as the target. Does not: depth, culling, more than one
// texture per draw.
#pragma once

#include <cstdint>

#include "ge/quad_batch.h"

namespace ge {

class GlPipeline {
 public:
  // Builds the shaders and sets the fixed state. A shader that does not build ends the program
  // with "Cannot create Device".
  void CreateProgram();
  // Makes the buffers, at their whole size, so that drawing never allocates.
  void CreateBuffers();
  void Release();

  // Makes `framebuffer` (0 the window) the target, `width` × `height` in pixel coordinates drawn
  // onto (width / divisor) × (height / divisor) pixels. The window's rows run bottom up, so
  // drawing onto it is turned over; every other target's row y is its memory row y.
  void BindTarget(unsigned framebuffer, int width, int height, int divisor);

  // Draws the batch's quads in queue order, binding textureOf(slot) for each run. Returns the
  // number of draw calls made.
  template <typename TextureOf>
  int Draw(const QuadBatch& batch, TextureOf&& textureOf) {
    int draws = 0;
    batch.ForEachPiece([&](int first, int count) { uploadPiece(batch.Vertices(first), count); },
                       [&](const QuadRun& run) {
                         drawRun(textureOf(run.slot), run);
                         ++draws;
                       });
    return draws;
  }

 private:
  void uploadPiece(const QuadVertex* vertices, int quads);
  void drawRun(unsigned texture, const QuadRun& run);

  unsigned program = 0;
  int targetSizeLocation = -1;
  int yDirectionLocation = -1;
  unsigned vertexArray = 0;
  unsigned vertexBuffer = 0;
  unsigned indexBuffer = 0;
};

}  // namespace ge
