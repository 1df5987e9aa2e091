// Keeps the OpenGL engine's back buffer at half size (320 × 240), each pixel standing for a
// 2 × 2 block, and presents it enlarged two times on the CPU through an XShmPresenter: the
// enlargement by the GL rasteriser, a full-window blended quad, is most of a frame's cost.
// Supports: a 640 × 480 window; no window at all (tests and tools compare it with the full-size
// back buffer); handing the picture over to a full-size back buffer. Does not: any draw that does
// not enlarge exactly (ge/half_size.h): the engine leaves half size before such a draw.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "ge/gl_back_buffer.h"
#include "ge/present_xshm.h"

namespace ge {

class HalfSizePresenter final : public GlPresenter {
 public:
  // Starts black. `window` null: nothing is shown.
  explicit HalfSizePresenter(std::unique_ptr<XShmPresenter> window);

  Presentation Mode() const override { return Presentation::HalfSize; }
  unsigned Framebuffer() override { return framebuffer; }
  int Divisor() const override { return 2; }
  void Present(int windowWidth, int windowHeight) override;
  void ReadRows(int top, int count, std::uint8_t* rgb) const override;
  void Release() override;
  void Abandon() override;

  // Whether the window gets its pictures through shared memory (false: XPutImage, or no window).
  bool UsesSharedMemory() const { return window != nullptr && window->UsesSharedMemory(); }

  // Hands the picture to a full-size back buffer, each pixel as its 2 × 2 block, or (keepPicture
  // false) starts that one black.
  void HandOver(unsigned fullSizeFramebuffer, bool keepPicture);

 private:
  std::unique_ptr<XShmPresenter> window;
  unsigned framebuffer = 0;
  unsigned texture = 0;
  std::vector<std::uint8_t> pixels;  // the picture read back for presenting
};

}  // namespace ge
