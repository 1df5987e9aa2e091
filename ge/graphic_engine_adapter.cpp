// The logical screen: offsets every quad and text by (96, 8) into the canvas and presents the canvas.
#include "ge/graphic_engine_adapter.h"

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
  // Canvas pixels 96..416 across and 8..248 down, enlarged onto the whole back buffer.
  Quad quad;
  MakeQuad(quad, 0.0f, 0.0f, 640.0f, 480.0f);
  SetQuadTexture(quad, 0.1875f, 0.03125f, 0.8125f, 0.96875f);
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
