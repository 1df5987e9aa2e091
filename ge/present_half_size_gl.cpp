// The half-size back buffer on OpenGL (see the header).
#include "ge/present_half_size_gl.h"

#define GL_GLEXT_PROTOTYPES 1
#include <GL/glcorearb.h>

#include <utility>

#include "base/display_geometry.h"
#include "ge/gl_textures.h"
#include "ge/half_size.h"

namespace ge {

namespace {

constexpr int kHalfWidth = display::kLogicalWidth;
constexpr int kHalfHeight = display::kLogicalHeight;

}  // namespace

HalfSizePresenter::HalfSizePresenter(std::unique_ptr<XShmPresenter> window) : window(std::move(window)) {
  texture = CreateTexture(kHalfWidth, kHalfHeight, nullptr, TextureEdge::Clamp);
  framebuffer = CreateFramebuffer(texture);
  ClearToBlack(framebuffer, kHalfWidth, kHalfHeight);
}

void HalfSizePresenter::Present(int, int) {
  if (window == nullptr) return;
  pixels.resize(static_cast<std::size_t>(kHalfWidth) * kHalfHeight * 4);
  glBindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer);
  glReadPixels(0, 0, kHalfWidth, kHalfHeight, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
  window->PutEnlarged(pixels.data());
}

void HalfSizePresenter::ReadRows(int top, int count, std::uint8_t* rgb) const {
  if (count == 0) return;
  const HalfRows rows = HalfRowsOf(top, count);
  std::vector<std::uint8_t> half(static_cast<std::size_t>(kHalfWidth) * 3 * static_cast<std::size_t>(rows.count));
  GLint previous = 0;
  glGetIntegerv(GL_READ_FRAMEBUFFER_BINDING, &previous);
  glBindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer);
  glReadPixels(0, rows.first, kHalfWidth, rows.count, GL_RGB, GL_UNSIGNED_BYTE, half.data());
  glBindFramebuffer(GL_READ_FRAMEBUFFER, static_cast<GLuint>(previous));
  EnlargeHalfRows(half.data(), display::kBackBufferWidth, top, count, rgb);
}

void HalfSizePresenter::HandOver(unsigned fullSizeFramebuffer, bool keepPicture) {
  if (keepPicture) {
    glBindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, fullSizeFramebuffer);
    // Nearest two-times enlargement: each half-size pixel becomes its 2 × 2 block, exactly.
    glBlitFramebuffer(0, 0, kHalfWidth, kHalfHeight, 0, 0, display::kBackBufferWidth, display::kBackBufferHeight,
                      GL_COLOR_BUFFER_BIT, GL_NEAREST);
  } else {
    ClearToBlack(fullSizeFramebuffer, display::kBackBufferWidth, display::kBackBufferHeight);
  }
}

void HalfSizePresenter::Release() {
  DeleteFramebuffer(framebuffer);
  DeleteTexture(texture);
  window.reset();
}

void HalfSizePresenter::Abandon() {
  if (window != nullptr) window->Abandon();
  window.reset();
  framebuffer = 0;
  texture = 0;
}

}  // namespace ge
