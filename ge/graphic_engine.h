// The graphic engine interface: textured, coloured quads and text, batched per frame.
// The game draws only through this interface (the adapter below in the running game).
#pragma once

#include <cstdint>

namespace ge {

struct QuadVertex {
  float x;
  float y;
  std::uint32_t colour;  // ARGB, multiplied with the texture
  float u;               // 0..1 across the loaded image, not the power-of-two texture
  float v;
};

// Vertices in the order top-left, top-right, bottom-left, bottom-right (a two-triangle strip).
struct Quad {
  QuadVertex vertices[4];
};

class XGraphicEngine {
 public:
  virtual void BeginFrame() = 0;
  virtual void Clear(float r, float g, float b) = 0;
  virtual void EndFrame() = 0;
  virtual void SetTexture(std::int32_t slot) = 0;
  virtual void DrawQuad(const Quad* quad) = 0;
  // −1 is the back buffer; any other value a texture slot to render into.
  virtual void SetRenderTarget(std::int32_t slot) = 0;
  // Each line centred on x, the first line's top at y; "\n" starts a line. Windows-1251 bytes.
  virtual void DrawText(float x, float y, const char* text, float r, float g, float b, float a) = 0;

 protected:
  // Engines are destroyed through their concrete type.
  ~XGraphicEngine() = default;
};

// Texture slots the game uses.
inline constexpr std::int32_t kCanvasSlot = 0;
inline constexpr std::int32_t kLogoSlot = 6;
inline constexpr std::int32_t kSplashSlot = 7;
inline constexpr std::int32_t kFieldSheetSlot = 8;
inline constexpr std::int32_t kButtonSheetSlot = 9;
inline constexpr std::int32_t kUnitSheetSlot = 10;
inline constexpr int kTextureSlots = 256;

}  // namespace ge
