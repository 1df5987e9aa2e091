// The adapter the game draws through: the logical screen inside the canvas, enlarged onto the
// back buffer at the end of each frame (base/display_geometry.h).
#pragma once

#include "base/display_geometry.h"
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
  static constexpr float kOffsetX = static_cast<float>(display::kCanvasOffsetX);
  static constexpr float kOffsetY = static_cast<float>(display::kCanvasOffsetY);
};

}  // namespace ge
