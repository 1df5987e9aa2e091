// The logical screen: moves every quad and text to where the logical screen sits in the canvas
// and presents the canvas.
#include "ge/graphic_engine_adapter.h"

#include "base/display_geometry.h"
#include "ge/quad.h"

namespace ge {

void ZGraphicEngineAdapter::BeginFrame() {
  engine->BeginFrame();
  engine->SetRenderTarget(kCanvasSlot);
}

void ZGraphicEngineAdapter::Clear(float r, float g, float b) { engine->Clear(r, g, b); }

void ZGraphicEngineAdapter::EndFrame() {
  engine->SetRenderTarget(-1);
  engine->SetTexture(kCanvasSlot);
  // The logical screen's part of the canvas, enlarged onto the whole back buffer.
  constexpr display::TextureRect screen = display::kLogicalScreenInCanvas;
  Quad quad;
  MakeQuad(quad, 0.0f, 0.0f, static_cast<float>(display::kBackBufferWidth),
           static_cast<float>(display::kBackBufferHeight));
  SetQuadTexture(quad, screen.left, screen.top, screen.right, screen.bottom);
  engine->DrawQuad(&quad);
  engine->EndFrame();
}

void ZGraphicEngineAdapter::SetTexture(std::int32_t slot) { engine->SetTexture(slot); }

void ZGraphicEngineAdapter::DrawQuad(const Quad* quad) {
  Quad moved = *quad;
  for (QuadVertex& vertex : moved.vertices) {
    vertex.x += kOffsetX;
    vertex.y += kOffsetY;
  }
  engine->DrawQuad(&moved);
}

void ZGraphicEngineAdapter::SetRenderTarget(std::int32_t) {}

void ZGraphicEngineAdapter::DrawText(float x, float y, const char* text, float r, float g, float b, float a) {
  engine->DrawText(x + kOffsetX, y + kOffsetY, text, r, g, b, a);
}

}  // namespace ge
