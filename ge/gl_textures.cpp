// OpenGL textures and framebuffers (see the header).
#include "ge/gl_textures.h"

#define GL_GLEXT_PROTOTYPES 1
#include <GL/glcorearb.h>

#include <cstdio>

#include "base/event_log.h"

namespace ge {

namespace {

// Point sampling everywhere, so the pixel art stays sharp when the canvas is enlarged; with
// Repeat, coordinates outside 0..1 wrap, so a quad whose texture coordinates run past a sheet's
// edge repeats the sheet.
void setSampling(TextureEdge edge) {
  const GLint wrap = edge == TextureEdge::Repeat ? GL_REPEAT : GL_CLAMP_TO_EDGE;
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, wrap);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, wrap);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
}

}  // namespace

unsigned CreateTexture(int width, int height, const std::uint8_t* rgba, TextureEdge edge) {
  GLuint texture = 0;
  glGenTextures(1, &texture);
  glBindTexture(GL_TEXTURE_2D, texture);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
  setSampling(edge);
  return texture;
}

void ReplaceTexture(unsigned texture, int width, int height, const std::uint8_t* rgba) {
  glBindTexture(GL_TEXTURE_2D, texture);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
  setSampling(TextureEdge::Repeat);
}

unsigned CreateCoverageTexture(int width, int height, const std::uint8_t* coverage) {
  GLuint texture = 0;
  glGenTextures(1, &texture);
  glBindTexture(GL_TEXTURE_2D, texture);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_R8, width, height, 0, GL_RED, GL_UNSIGNED_BYTE, coverage);
  setSampling(TextureEdge::Clamp);
  const GLint swizzle[4] = {GL_ONE, GL_ONE, GL_ONE, GL_RED};
  glTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_SWIZZLE_RGBA, swizzle);
  return texture;
}

void ReadTexture(unsigned texture, std::uint8_t* rgba) {
  glBindTexture(GL_TEXTURE_2D, texture);
  glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
}

unsigned CreateFramebuffer(unsigned texture, const char* role) {
  GLuint framebuffer = 0;
  glGenFramebuffers(1, &framebuffer);
  if (texture == 0) return framebuffer;
  glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
  glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, texture, 0);
  if (role != nullptr && glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
    std::fprintf(stderr, "GE: %s\n", role);
    LogError("GE", "Cannot create Device");
  }
  return framebuffer;
}

void AttachTexture(unsigned framebuffer, unsigned texture) {
  glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
  glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, texture, 0);
}

void ClearToBlack(unsigned framebuffer, int width, int height) {
  glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
  glViewport(0, 0, width, height);
  glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT);
}

void ClearBound(std::uint32_t red, std::uint32_t green, std::uint32_t blue, std::uint32_t alpha) {
  glClearColor(static_cast<float>(red) / 255.0f, static_cast<float>(green) / 255.0f,
               static_cast<float>(blue) / 255.0f, static_cast<float>(alpha) / 255.0f);
  glClear(GL_COLOR_BUFFER_BIT);
}

void DeleteTexture(unsigned& texture) {
  if (texture != 0) glDeleteTextures(1, &texture);
  texture = 0;
}

void DeleteFramebuffer(unsigned& framebuffer) {
  if (framebuffer != 0) glDeleteFramebuffers(1, &framebuffer);
  framebuffer = 0;
}

void FinishGl() { glFinish(); }

}  // namespace ge
