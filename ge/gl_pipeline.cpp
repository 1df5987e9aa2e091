// The OpenGL pipeline (see the header for what it supports). Quads arrive in target pixels; the vertex shader maps them to clip space
// without a flip, except onto the window. GL pixel centres lie at half-integers, so quads need no
// half-pixel shift to map texels exactly.
#include "ge/gl_pipeline.h"

#define GL_GLEXT_PROTOTYPES 1
#include <GL/glcorearb.h>

#include <cstddef>
#include <cstdio>
#include <vector>

#include "base/event_log.h"

namespace ge {

namespace {

const char* const kVertexShader = R"(#version 330 core
layout(location = 0) in vec2 position;
layout(location = 1) in vec4 colour;
layout(location = 2) in vec2 textureCoordinate;
uniform vec2 targetSize;
uniform float yDirection;
out vec4 vertexColour;
out vec2 uv;
void main() {
  // Pixels to clip space without a flip (target row y stays memory row y), except on the window,
  // whose rows run bottom up: there yDirection is -1, an exact mirror.
  vec2 clip = position / targetSize * 2.0 - 1.0;
  gl_Position = vec4(clip.x, clip.y * yDirection, 0.0, 1.0);
  vertexColour = colour;
  uv = textureCoordinate;
}
)";

const char* const kFragmentShader = R"(#version 330 core
in vec4 vertexColour;
in vec2 uv;
uniform sampler2D image;
out vec4 fragment;
void main() {
  fragment = texture(image, uv) * vertexColour;
}
)";

GLuint compileShader(GLenum kind, const char* source) {
  const GLuint shader = glCreateShader(kind);
  glShaderSource(shader, 1, &source, nullptr);
  glCompileShader(shader);
  GLint compiled = GL_FALSE;
  glGetShaderiv(shader, GL_COMPILE_STATUS, &compiled);
  if (compiled != GL_TRUE) {
    char message[1024] = {};
    glGetShaderInfoLog(shader, sizeof message, nullptr, message);
    std::fprintf(stderr, "GE: shader does not compile: %s\n", message);
    LogError("GE", "Cannot create Device");
  }
  return shader;
}

GLuint linkProgram(GLuint vertexShader, GLuint fragmentShader) {
  const GLuint program = glCreateProgram();
  glAttachShader(program, vertexShader);
  glAttachShader(program, fragmentShader);
  glLinkProgram(program);
  glDeleteShader(vertexShader);
  glDeleteShader(fragmentShader);
  GLint linked = GL_FALSE;
  glGetProgramiv(program, GL_LINK_STATUS, &linked);
  if (linked != GL_TRUE) {
    char message[1024] = {};
    glGetProgramInfoLog(program, sizeof message, nullptr, message);
    std::fprintf(stderr, "GE: shaders do not link: %s\n", message);
    LogError("GE", "Cannot create Device");
  }
  return program;
}

// Each quad is two triangles (top-left, top-right, bottom-left) and (top-right, bottom-left,
// bottom-right), as the strip order of a Quad's vertices implies. Every piece starts at the
// buffer's first vertex, so one index list serves them all.
std::vector<GLuint> quadIndices(int quads) {
  std::vector<GLuint> indices(static_cast<std::size_t>(quads) * 6);
  for (GLuint quad = 0; quad < static_cast<GLuint>(quads); ++quad) {
    const GLuint first = quad * 4;
    GLuint* out = &indices[static_cast<std::size_t>(quad) * 6];
    out[0] = first;
    out[1] = first + 1;
    out[2] = first + 2;
    out[3] = first + 1;
    out[4] = first + 2;
    out[5] = first + 3;
  }
  return indices;
}

}  // namespace

void GlPipeline::CreateProgram() {
  const GLuint vertexShader = compileShader(GL_VERTEX_SHADER, kVertexShader);
  const GLuint fragmentShader = compileShader(GL_FRAGMENT_SHADER, kFragmentShader);
  program = linkProgram(vertexShader, fragmentShader);
  glUseProgram(program);
  targetSizeLocation = glGetUniformLocation(program, "targetSize");
  yDirectionLocation = glGetUniformLocation(program, "yDirection");
  glUniform1i(glGetUniformLocation(program, "image"), 0);
  glActiveTexture(GL_TEXTURE0);

  // Every draw blends by source alpha, the enlarged canvas included; no depth, no culling.
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_CULL_FACE);
  glDisable(GL_SCISSOR_TEST);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
}

void GlPipeline::CreateBuffers() {
  glGenVertexArrays(1, &vertexArray);
  glBindVertexArray(vertexArray);

  // The vertex buffer holds one piece of a batch; a longer batch streams through it piece by piece.
  glGenBuffers(1, &vertexBuffer);
  glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer);
  glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(sizeof(QuadVertex)) * QuadBatch::kPieceQuads * 4, nullptr,
               GL_DYNAMIC_DRAW);
  const std::vector<GLuint> indices = quadIndices(QuadBatch::kPieceQuads);
  glGenBuffers(1, &indexBuffer);
  glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indexBuffer);
  glBufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(indices.size() * sizeof(GLuint)), indices.data(),
               GL_STATIC_DRAW);

  constexpr GLsizei stride = sizeof(QuadVertex);
  glEnableVertexAttribArray(0);
  glVertexAttribPointer(0, 2, GL_FLOAT, GL_FALSE, stride, reinterpret_cast<const void*>(offsetof(QuadVertex, x)));
  // An ARGB word is B, G, R, A in memory: GL_BGRA hands the shader (R, G, B, A) without a swap.
  glEnableVertexAttribArray(1);
  glVertexAttribPointer(1, GL_BGRA, GL_UNSIGNED_BYTE, GL_TRUE, stride,
                        reinterpret_cast<const void*>(offsetof(QuadVertex, colour)));
  glEnableVertexAttribArray(2);
  glVertexAttribPointer(2, 2, GL_FLOAT, GL_FALSE, stride, reinterpret_cast<const void*>(offsetof(QuadVertex, u)));
}

void GlPipeline::Release() {
  glDeleteBuffers(1, &vertexBuffer);
  glDeleteBuffers(1, &indexBuffer);
  glDeleteVertexArrays(1, &vertexArray);
  glDeleteProgram(program);
}

void GlPipeline::BindTarget(unsigned framebuffer, int width, int height, int divisor) {
  glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
  glViewport(0, 0, width / divisor, height / divisor);
  glUniform2f(targetSizeLocation, static_cast<float>(width), static_cast<float>(height));
  glUniform1f(yDirectionLocation, framebuffer == 0 ? -1.0f : 1.0f);
}

// The vertex array keeps the index buffer bound. GL finishes the draws that read a piece before
// the next piece overwrites it.
void GlPipeline::uploadPiece(const QuadVertex* vertices, int quads) {
  glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer);
  glBufferSubData(GL_ARRAY_BUFFER, 0, static_cast<GLsizeiptr>(sizeof(QuadVertex)) * quads * 4, vertices);
}

void GlPipeline::drawRun(unsigned texture, const QuadRun& run) {
  glBindTexture(GL_TEXTURE_2D, texture);
  glDrawElements(GL_TRIANGLES, run.count * 6, GL_UNSIGNED_INT,
                 reinterpret_cast<const void*>(static_cast<std::size_t>(run.first) * 6 * sizeof(GLuint)));
}

}  // namespace ge
