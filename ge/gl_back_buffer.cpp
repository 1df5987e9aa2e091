// The off-screen back buffer (see the header).
#include "ge/gl_back_buffer.h"

#define GL_GLEXT_PROTOTYPES 1
#include <GL/glcorearb.h>

#include "base/display_geometry.h"
#include "ge/gl_textures.h"

namespace ge {

unsigned OffscreenBackBuffer::Framebuffer() {
  if (framebuffer != 0) return framebuffer;
  texture = CreateTexture(display::kBackBufferWidth, display::kBackBufferHeight, nullptr, TextureEdge::Clamp);
  framebuffer = CreateFramebuffer(texture, "the off-screen back buffer is incomplete");
  // Starts black, like a fresh display; from here on only drawing changes it.
  ClearToBlack(framebuffer, display::kBackBufferWidth, display::kBackBufferHeight);
  return framebuffer;
}

void OffscreenBackBuffer::ReadRows(int top, int count, std::uint8_t* rgb) const {
  GLint previous = 0;
  glGetIntegerv(GL_READ_FRAMEBUFFER_BINDING, &previous);
  glBindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer);
  // Stored top row first, so GL's row y is the picture's row y.
  glReadPixels(0, top, display::kBackBufferWidth, count, GL_RGB, GL_UNSIGNED_BYTE, rgb);
  glBindFramebuffer(GL_READ_FRAMEBUFFER, static_cast<GLuint>(previous));
}

void OffscreenBackBuffer::Release() {
  DeleteTexture(texture);
  DeleteFramebuffer(framebuffer);
}

}  // namespace ge
