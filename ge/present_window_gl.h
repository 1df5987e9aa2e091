// Presents the OpenGL engine's back buffer into an X11 window through its EGL surface.
// Supports: a window of exactly 640 × 480 whose surface keeps its pixels across swaps holding the
// back buffer itself (the frame is drawn straight into it); any other window showing an
// off-screen back buffer fitted in, centred, 4:3, with black bars; moving between the two as the
// window is resized. Does not: keep the picture when a resize drops the surface's pixels.
#pragma once

#include <cstdint>

#include "ge/egl_context.h"
#include "ge/gl_back_buffer.h"

namespace ge {

class WindowSurfacePresenter final : public GlPresenter {
 public:
  WindowSurfacePresenter(EglContext& egl, OffscreenBackBuffer& offscreen) : egl(egl), offscreen(offscreen) {}

  Presentation Mode() const override { return Presentation::Window; }
  unsigned Framebuffer() override { return inWindow ? 0u : offscreen.Framebuffer(); }
  void Present(int windowWidth, int windowHeight) override;
  void ReadRows(int top, int count, std::uint8_t* rgb) const override;

  // Puts the back buffer into the window's surface (true) or off-screen (false), carrying the
  // picture across where it can. True when the place changed: the target must be bound again.
  bool Place(bool intoWindow);

 private:
  EglContext& egl;
  OffscreenBackBuffer& offscreen;
  bool inWindow = false;
};

}  // namespace ge
