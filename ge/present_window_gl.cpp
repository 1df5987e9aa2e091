// Presenting through the window's EGL surface. Window rows count from the bottom: the back
// buffer's top row goes to the window's top edge in every copy.
#include "ge/present_window_gl.h"

#define GL_GLEXT_PROTOTYPES 1
#include <GL/glcorearb.h>

#include <algorithm>
#include <cstddef>

#include "base/display_geometry.h"
#include "ge/gl_textures.h"

namespace ge {

namespace {

constexpr int kWidth = display::kBackBufferWidth;
constexpr int kHeight = display::kBackBufferHeight;

}  // namespace

bool WindowSurfacePresenter::Place(bool intoWindow) {
  // An off-screen back buffer not made yet still needs making and clearing.
  const bool offscreenMissing = !intoWindow && !offscreen.Exists();
  if (intoWindow == inWindow && !offscreenMissing) return false;
  if (intoWindow && !offscreen.Exists()) {
    // Nothing drawn yet: the window starts black, as the off-screen back buffer would.
    ClearToBlack(0, kWidth, kHeight);
  } else if (intoWindow) {
    glBindFramebuffer(GL_READ_FRAMEBUFFER, offscreen.Framebuffer());
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    // The picture so far moves into the window, turned upside down for the window's row order.
    glBlitFramebuffer(0, 0, kWidth, kHeight, 0, kHeight, kWidth, 0, GL_COLOR_BUFFER_BIT, GL_NEAREST);
  } else {
    // The window only leaves this size by a resize, and a resized surface has already dropped its
    // pixels: the off-screen back buffer starts again from black, as at start-up.
    ClearToBlack(offscreen.Framebuffer(), kWidth, kHeight);
  }
  inWindow = intoWindow;
  return true;
}

void WindowSurfacePresenter::Present(int windowWidth, int windowHeight) {
  if (inWindow) {
    // The window already shows the picture, and keeps it for the next frame to draw over.
    egl.SwapBuffers();
    return;
  }
  const display::Fit fit = display::FitBackBuffer(windowWidth, windowHeight);
  glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
  glBindFramebuffer(GL_READ_FRAMEBUFFER, offscreen.Framebuffer());
  glViewport(0, 0, windowWidth, windowHeight);
  if (fit.width != windowWidth || fit.height != windowHeight) {
    // Black bars; a picture that fills the window leaves nothing to clear.
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
  }
  if (fit.width > 0 && fit.height > 0) {
    const int top = windowHeight - fit.y;
    glBlitFramebuffer(0, 0, kWidth, kHeight, fit.x, top, fit.x + fit.width, top - fit.height, GL_COLOR_BUFFER_BIT,
                      GL_NEAREST);
  }
  egl.SwapBuffers();
}

void WindowSurfacePresenter::ReadRows(int top, int count, std::uint8_t* rgb) const {
  if (!inWindow) {
    offscreen.ReadRows(top, count, rgb);
    return;
  }
  GLint previous = 0;
  glGetIntegerv(GL_READ_FRAMEBUFFER_BINDING, &previous);
  glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
  glReadPixels(0, kHeight - top - count, kWidth, count, GL_RGB, GL_UNSIGNED_BYTE, rgb);
  glBindFramebuffer(GL_READ_FRAMEBUFFER, static_cast<GLuint>(previous));
  // The window's rows run bottom up: turned over here.
  constexpr std::size_t rowBytes = static_cast<std::size_t>(kWidth) * 3;
  for (std::size_t upper = 0, lower = static_cast<std::size_t>(count) - 1; count > 0 && upper < lower;
       ++upper, --lower) {
    std::swap_ranges(rgb + upper * rowBytes, rgb + (upper + 1) * rowBytes, rgb + lower * rowBytes);
  }
}

}  // namespace ge
