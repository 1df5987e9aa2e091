// What the code around a graphic engine needs of it besides drawing: the still-frame rule reads
// its back buffer and the inputs of its picture, texture loading fills its slots. An engine
// implements this beside XGraphicEngine, so that the same tools serve every engine.
#pragma once

#include <cstdint>
#include <vector>

#include "base/display_geometry.h"
#include "ge/graphic_engine.h"

namespace ge {

class XGraphicEngineAccess {
 public:
  // Images up to this side fit the scratch buffer and a texture.
  static constexpr int kMaxTextureSide = 1024;

  // The engine itself, to draw through.
  virtual XGraphicEngine& Engine() = 0;

  // Rows top .. top + count − 1 of the 640 × 480 back buffer as it stands, top row first, three
  // bytes R, G, B per pixel, into rgb (count × 640 × 3 bytes).
  virtual void ReadBackBufferRows(int top, int count, std::uint8_t* rgb) const = 0;
  // The whole back buffer in the same form.
  void ReadBackBuffer(std::vector<std::uint8_t>& rgb) const {
    rgb.resize(static_cast<std::size_t>(display::kBackBufferWidth) * 3 * display::kBackBufferHeight);
    ReadBackBufferRows(0, display::kBackBufferHeight, rgb.data());
  }

  // The window's size as read at the last BeginFrame (the back buffer's size without a window).
  virtual int WindowWidth() const = 0;
  virtual int WindowHeight() const = 0;
  // Counts SetSlotImage calls: a slot's new image changes what the same draw calls show.
  virtual std::uint64_t SlotImageChanges() const = 0;
  // The slot DrawQuad would use now (−1 none) and the render target (−1 the back buffer).
  virtual std::int32_t SelectedTexture() const = 0;
  virtual std::int32_t RenderTarget() const = 0;

  // Fills a slot with a texture of width × height texels (top row first, R, G, B, A bytes) of
  // which the image covers the fractions uScale × vScale. Slot 0 is the canvas and is refused.
  virtual void SetSlotImage(std::int32_t slot, int width, int height, const std::uint8_t* rgba, float uScale,
                            float vScale) = 0;
  // kMaxTextureSide² × 4 bytes the texture loader assembles images in, so that loading allocates
  // no more than the texture itself.
  virtual std::uint8_t* TextureScratch() = 0;

 protected:
  // Engines are destroyed through their concrete type.
  ~XGraphicEngineAccess() = default;
};

}  // namespace ge
