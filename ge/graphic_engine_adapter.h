// The adapter the game draws through: a 320 × 240 logical screen inside the 512 × 256 canvas,
// enlarged two times onto the 640 × 480 back buffer at the end of each frame.
#pragma once

#include "ge/graphic_engine.h"

namespace ge {

class ZGraphicEngineAdapter final : public XGraphicEngine {
 public:
  explicit ZGraphicEngineAdapter(XGraphicEngine* engine) : engine(engine) {}

  void BeginFrame() override;
  void Clear(float r, float g, float b) override;
  void EndFrame() override;
  void SetTexture(std::int32_t slot) override;
  void DrawQuad(const Quad* quad) override;
  void SetRenderTarget(std::int32_t slot) override;
  void DrawText(float x, float y, const char* text, float r, float g, float b, float a) override;

  XGraphicEngine* engine;  // not owned

  // Where the logical screen sits in the canvas.
  static constexpr float kOffsetX = 96.0f;
  static constexpr float kOffsetY = 8.0f;
};

}  // namespace ge
