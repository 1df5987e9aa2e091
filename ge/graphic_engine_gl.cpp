// The graphic engine on OpenGL 3.3 core. Every image is kept top row first in memory and every
// render target is drawn without a y-flip, so canvas row y is texture row y; the only flip is onto
// the window, whose rows GL counts from the bottom: in the final copy of the back buffer, or, when
// the window itself holds the back buffer, in the drawing into it.
// GL pixel centres lie at half-integers, so quads need no half-pixel shift to map texels exactly.
#include "ge/graphic_engine_gl.h"

#define GL_GLEXT_PROTOTYPES 1
#include <GL/glcorearb.h>

#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

#include "base/event_log.h"
#include "ge/present_xshm.h"
#include "ge/quad.h"
#include "ge/text_layout.h"

namespace ge {

namespace {

constexpr const char* kTag = "GE";

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
    LogError(kTag, "Cannot create Device");
  }
  return shader;
}

// Point sampling everywhere, so the pixel art stays sharp when the canvas is enlarged; coordinates
// outside 0..1 wrap, so a quad whose texture coordinates run past a sheet's edge repeats the sheet.
void setSampling(GLenum wrap) {
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, static_cast<GLint>(wrap));
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, static_cast<GLint>(wrap));
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
}

float channel(float value) { return static_cast<float>(ColourByte(value)) / 255.0f; }

}  // namespace

GraphicEngineGL::GraphicEngineGL(unsigned long nativeWindow, bool windowed) : windowed(windowed) {
  LogMessage(kTag, "GE init...");
  if (!egl.OpenWindowDisplay(nativeWindow)) LogError(kTag, "Cannot create D3D");
  start();
}

GraphicEngineGL::GraphicEngineGL(Headless) : headless(true) {
  LogMessage(kTag, "GE init...");
  if (!egl.OpenHeadlessDisplay()) LogError(kTag, "Cannot create D3D");
  start();
}

void GraphicEngineGL::start() {
  LogMessage(kTag, "D3D is created");
  // Every step that can still fail to give a working device (the context, the shaders, the render
  // targets) comes before the line that says the device exists.
  if (!egl.CreateContext()) LogError(kTag, "Cannot create Device");
  createPipeline();
  createTargets();
  LogMessage(kTag, "Device is created");

  // Left unfilled: pages never written (a frame rarely queues more than a few hundred quads, and the
  // images are far below 1024 × 1024) then never take up memory.
  pendingVertices = std::make_unique_for_overwrite<Vertex[]>(static_cast<std::size_t>(kPendingCapacity) * 4);
  pendingTexture = std::make_unique_for_overwrite<std::int32_t[]>(kPendingCapacity);
  scratch = std::make_unique_for_overwrite<std::uint8_t[]>(static_cast<std::size_t>(kMaxTextureSide) *
                                                           kMaxTextureSide * 4);

  LogMessage(kTag, "Options was changed");
  createFont();
  LogMessage(kTag, "Fonts are created");
  createBuffers();
  LogMessage(kTag, "Vertex buffer is created");
  if (egl.HasWindow()) {
    const bool holds = windowHoldsBackBuffer();
    // A window of the back buffer's size takes the half-size picture enlarged on the CPU: the
    // enlargement, a full-window blended quad for the GL rasteriser, is most of a frame's cost.
    presenter = std::make_unique<XShmPresenter>();
    if (windowWidth == kBackBufferWidth && windowHeight == kBackBufferHeight &&
        presenter->Open(egl.XDisplay(), egl.XWindow(), kBackBufferWidth, kBackBufferHeight)) {
      KeepBackBufferAtHalfSize();
    } else {
      presenter.reset();
      placeBackBuffer(holds);
    }
  }
  bindBackBuffer();
  LogMessage(kTag, "GE was loaded");
}

void GraphicEngineGL::createPipeline() {
  const GLuint vertexShader = compileShader(GL_VERTEX_SHADER, kVertexShader);
  const GLuint fragmentShader = compileShader(GL_FRAGMENT_SHADER, kFragmentShader);
  program = glCreateProgram();
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
    LogError(kTag, "Cannot create Device");
  }
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

void GraphicEngineGL::createTargets() {
  const std::uint8_t white[4] = {255, 255, 255, 255};
  glGenTextures(1, &whiteTexture);
  glBindTexture(GL_TEXTURE_2D, whiteTexture);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, white);
  setSampling(GL_REPEAT);

  Slot& canvas = slots[kCanvasSlot];
  glGenTextures(1, &canvas.texture);
  glBindTexture(GL_TEXTURE_2D, canvas.texture);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, kCanvasWidth, kCanvasHeight, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
  setSampling(GL_REPEAT);
  canvas.width = kCanvasWidth;
  canvas.height = kCanvasHeight;
  canvas.uScale = 1.0f;
  canvas.vScale = 1.0f;
  glGenFramebuffers(1, &canvasFramebuffer);
  glBindFramebuffer(GL_FRAMEBUFFER, canvasFramebuffer);
  glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, canvas.texture, 0);
  if (glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
    std::fprintf(stderr, "GE: the canvas cannot be drawn into\n");
    LogError(kTag, "Cannot create Device");
  }
  glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
  glClear(GL_COLOR_BUFFER_BIT);

  glGenFramebuffers(1, &slotFramebuffer);
}

// Made at its first use: a window that holds the back buffer itself never needs its 1.2 MB.
unsigned GraphicEngineGL::offscreenBackBuffer() {
  if (backBufferFramebuffer != 0) return backBufferFramebuffer;
  glGenTextures(1, &backBufferTexture);
  glBindTexture(GL_TEXTURE_2D, backBufferTexture);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, kBackBufferWidth, kBackBufferHeight, 0, GL_RGBA, GL_UNSIGNED_BYTE,
               nullptr);
  setSampling(GL_CLAMP_TO_EDGE);
  glGenFramebuffers(1, &backBufferFramebuffer);
  glBindFramebuffer(GL_FRAMEBUFFER, backBufferFramebuffer);
  glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, backBufferTexture, 0);
  if (glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
    std::fprintf(stderr, "GE: the off-screen back buffer is incomplete\n");
    LogError(kTag, "Cannot create Device");
  }
  // Starts black, like a fresh display; from here on only drawing changes it.
  clearToBlack(backBufferFramebuffer, kBackBufferWidth, kBackBufferHeight);
  return backBufferFramebuffer;
}

void GraphicEngineGL::createFont() {
  std::string error;
  if (!BuildFontAtlas("Courier New", 14, font, error)) {
    std::fprintf(stderr, "GE: %s\n", error.c_str());
    LogError(kTag, "Cannot create Fonts");
  }
  if (font.family != "Liberation Mono" && font.family != "Courier New") {
    std::fprintf(stderr, "GE: \"Courier New\" resolved to \"%s\"; install fonts-liberation for the intended metrics\n",
                 font.family.c_str());
  }
  glGenTextures(1, &fontTexture);
  glBindTexture(GL_TEXTURE_2D, fontTexture);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_R8, font.width, font.height, 0, GL_RED, GL_UNSIGNED_BYTE, font.coverage.data());
  setSampling(GL_CLAMP_TO_EDGE);
  // White ink whose alpha is the coverage: text then blends exactly like a tinted quad.
  const GLint swizzle[4] = {GL_ONE, GL_ONE, GL_ONE, GL_RED};
  glTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_SWIZZLE_RGBA, swizzle);
}

void GraphicEngineGL::createBuffers() {
  glGenVertexArrays(1, &vertexArray);
  glBindVertexArray(vertexArray);

  // Both buffers get their whole size here, so that drawing never allocates: the vertex buffer
  // holds kBufferQuads quads, and a longer batch streams through it in pieces (see flush).
  glGenBuffers(1, &vertexBuffer);
  glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer);
  glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(sizeof(Vertex)) * kBufferQuads * 4, nullptr, GL_DYNAMIC_DRAW);

  // Each quad is two triangles (top-left, top-right, bottom-left) and (top-right, bottom-left,
  // bottom-right), as the strip order of a Quad's vertices implies. Every piece starts at the
  // buffer's first vertex, so one index list serves them all.
  std::vector<GLuint> indices(static_cast<std::size_t>(kBufferQuads) * 6);
  for (GLuint quad = 0; quad < static_cast<GLuint>(kBufferQuads); ++quad) {
    const GLuint first = quad * 4;
    GLuint* out = &indices[static_cast<std::size_t>(quad) * 6];
    out[0] = first;
    out[1] = first + 1;
    out[2] = first + 2;
    out[3] = first + 1;
    out[4] = first + 2;
    out[5] = first + 3;
  }
  glGenBuffers(1, &indexBuffer);
  glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indexBuffer);
  glBufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(indices.size() * sizeof(GLuint)), indices.data(),
               GL_STATIC_DRAW);

  constexpr GLsizei stride = sizeof(Vertex);
  glEnableVertexAttribArray(0);
  glVertexAttribPointer(0, 2, GL_FLOAT, GL_FALSE, stride, reinterpret_cast<const void*>(offsetof(Vertex, x)));
  // An ARGB word is B, G, R, A in memory: GL_BGRA hands the shader (R, G, B, A) without a swap.
  glEnableVertexAttribArray(1);
  glVertexAttribPointer(1, GL_BGRA, GL_UNSIGNED_BYTE, GL_TRUE, stride,
                        reinterpret_cast<const void*>(offsetof(Vertex, colour)));
  glEnableVertexAttribArray(2);
  glVertexAttribPointer(2, 2, GL_FLOAT, GL_FALSE, stride, reinterpret_cast<const void*>(offsetof(Vertex, u)));
}

GraphicEngineGL::~GraphicEngineGL() {
  LogMessage(kTag, "GE killing...");
  if (egl.IsReady() && egl.MakeCurrentHere()) {
    glDeleteBuffers(1, &vertexBuffer);
    glDeleteBuffers(1, &indexBuffer);
    glDeleteVertexArrays(1, &vertexArray);
    glDeleteTextures(1, &fontTexture);
    for (Slot& slot : slots) {
      if (slot.texture != 0) glDeleteTextures(1, &slot.texture);
      slot = Slot{};
    }
    glDeleteTextures(1, &whiteTexture);
    glDeleteTextures(1, &backBufferTexture);
    glDeleteTextures(1, &halfTexture);
    glDeleteFramebuffers(1, &halfFramebuffer);
    presenter.reset();
    glDeleteFramebuffers(1, &canvasFramebuffer);
    glDeleteFramebuffers(1, &backBufferFramebuffer);
    glDeleteFramebuffers(1, &slotFramebuffer);
    glDeleteProgram(program);
    egl.Release();
  } else {
    // Shut down from a thread that cannot take the context (the game thread still holds it):
    // the process ends right after, and releasing under the other thread's feet is the worse risk.
    // The presenter frees its memory without talking to the server; the shared segment goes
    // with the process.
    if (presenter) presenter->Abandon();
    presenter.reset();
    egl.Abandon();
  }
  LogMessage(kTag, "GE was killed");
}

void GraphicEngineGL::requireDevice() const {
  if (!egl.IsReady()) LogError(kTag, "Not Device");
}

void GraphicEngineGL::BeginFrame() {
  requireDevice();
  pendingCount = 0;
  if (!egl.HasWindow()) return;
  const bool holds = windowHoldsBackBuffer();
  if (halfSize) {
    if (windowWidth == kBackBufferWidth && windowHeight == kBackBufferHeight) return;
    // A resized surface has dropped its pixels: the full-size back buffer starts from black, as
    // it does when the window leaves holding it.
    leaveHalfSize(false);
  }
  placeBackBuffer(holds);
}

void GraphicEngineGL::KeepBackBufferAtHalfSize() {
  if (halfSize) return;
  glGenTextures(1, &halfTexture);
  glBindTexture(GL_TEXTURE_2D, halfTexture);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, display::kLogicalWidth, display::kLogicalHeight, 0, GL_RGBA,
               GL_UNSIGNED_BYTE, nullptr);
  setSampling(GL_CLAMP_TO_EDGE);
  glGenFramebuffers(1, &halfFramebuffer);
  glBindFramebuffer(GL_FRAMEBUFFER, halfFramebuffer);
  glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, halfTexture, 0);
  clearToBlack(halfFramebuffer, display::kLogicalWidth, display::kLogicalHeight);
  halfSize = true;
  rebindTarget();
}

void GraphicEngineGL::leaveHalfSize(bool keepPicture) {
  flush();  // quads queued so far belong to the half-size picture
  halfSize = false;
  presenter.reset();
  backBufferInWindow = false;
  const unsigned fullSize = offscreenBackBuffer();
  if (keepPicture) {
    glBindFramebuffer(GL_READ_FRAMEBUFFER, halfFramebuffer);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, fullSize);
    // Nearest two-times enlargement: each half-size pixel becomes its 2 × 2 block, exactly.
    glBlitFramebuffer(0, 0, display::kLogicalWidth, display::kLogicalHeight, 0, 0, kBackBufferWidth, kBackBufferHeight,
                      GL_COLOR_BUFFER_BIT, GL_NEAREST);
  } else {
    clearToBlack(fullSize, kBackBufferWidth, kBackBufferHeight);
  }
  glDeleteFramebuffers(1, &halfFramebuffer);
  glDeleteTextures(1, &halfTexture);
  halfFramebuffer = 0;
  halfTexture = 0;
  std::vector<std::uint8_t>().swap(halfPixels);
  rebindTarget();
}

// True when drawing the quad at half size and enlarging the result two times gives the same
// pixels as drawing it at full size: an upright rectangle on even pixel edges (each 2 × 2 block
// wholly in or out), one colour, and a texture mapped at exactly one texel to two pixels from a
// whole texel (every pixel of a block then samples the same texel, a quarter texel from any edge).
bool GraphicEngineGL::enlargesExactly(const Quad& quad) const {
  const QuadVertex& topLeft = quad.vertices[0];
  const QuadVertex& topRight = quad.vertices[1];
  const QuadVertex& bottomLeft = quad.vertices[2];
  const QuadVertex& bottomRight = quad.vertices[3];
  const auto even = [](float value) { return value == 2.0f * std::floor(value / 2.0f); };
  const auto whole = [](double value) { return value == std::floor(value); };
  if (topLeft.x != bottomLeft.x || topRight.x != bottomRight.x || topLeft.y != topRight.y ||
      bottomLeft.y != bottomRight.y) {
    return false;
  }
  if (!even(topLeft.x) || !even(topRight.x) || !even(topLeft.y) || !even(bottomLeft.y)) return false;
  if (topLeft.x >= topRight.x || topLeft.y >= bottomLeft.y) return false;
  for (const QuadVertex& vertex : quad.vertices) {
    if (vertex.colour != topLeft.colour) return false;
  }
  if (textureOf(currentTexture) == whiteTexture) return true;  // one texel, whatever the coordinates
  const Slot& slot = slots[currentTexture];
  const double width = slot.width;
  const double height = slot.height;
  const double left = static_cast<double>(topLeft.u * currentUScale) * width;
  const double right = static_cast<double>(topRight.u * currentUScale) * width;
  const double top = static_cast<double>(topLeft.v * currentVScale) * height;
  const double bottom = static_cast<double>(bottomLeft.v * currentVScale) * height;
  if (topLeft.u != bottomLeft.u || topRight.u != bottomRight.u || topLeft.v != topRight.v ||
      bottomLeft.v != bottomRight.v) {
    return false;
  }
  return whole(left) && whole(top) && (right - left) * 2.0 == static_cast<double>(topRight.x - topLeft.x) &&
         (bottom - top) * 2.0 == static_cast<double>(bottomLeft.y - topLeft.y);
}

bool GraphicEngineGL::windowHoldsBackBuffer() {
  windowWidth = kBackBufferWidth;
  windowHeight = kBackBufferHeight;
  egl.WindowSize(windowWidth, windowHeight);
  // A window of exactly the back buffer's size whose pixels survive the swaps can be the back
  // buffer itself: the frame is drawn straight into it and the full-window copy is saved.
  return egl.KeepsPixelsAcrossSwaps() && windowWidth == kBackBufferWidth && windowHeight == kBackBufferHeight;
}

void GraphicEngineGL::placeBackBuffer(bool inWindow) {
  // An off-screen back buffer not made yet still needs making and clearing.
  const bool offscreenMissing = !inWindow && backBufferFramebuffer == 0;
  if (inWindow == backBufferInWindow && !offscreenMissing) return;
  if (inWindow && backBufferFramebuffer == 0) {
    // Nothing drawn yet: the window starts black, as the off-screen back buffer would.
    clearToBlack(0, kBackBufferWidth, kBackBufferHeight);
  } else if (inWindow) {
    glBindFramebuffer(GL_READ_FRAMEBUFFER, backBufferFramebuffer);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    // The picture so far moves into the window, turned upside down for the window's row order.
    glBlitFramebuffer(0, 0, kBackBufferWidth, kBackBufferHeight, 0, kBackBufferHeight, kBackBufferWidth, 0,
                      GL_COLOR_BUFFER_BIT, GL_NEAREST);
  } else {
    // The window only leaves this size by a resize, and a resized surface has already dropped its
    // pixels: the off-screen back buffer starts again from black, as at start-up.
    clearToBlack(offscreenBackBuffer(), kBackBufferWidth, kBackBufferHeight);
  }
  backBufferInWindow = inWindow;
  rebindTarget();
}

// Starts a target over as black, the way a fresh display starts.
void GraphicEngineGL::clearToBlack(unsigned framebuffer, int width, int height) {
  glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
  glViewport(0, 0, width, height);
  glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT);
}

// Binds the current render target again after something else was bound.
void GraphicEngineGL::rebindTarget() {
  if (renderTarget == -1) {
    bindBackBuffer();
  } else {
    bindTarget(currentFramebuffer, targetWidth, targetHeight);
  }
}

void GraphicEngineGL::bindBackBuffer() {
  if (halfSize) {
    bindTarget(halfFramebuffer, kBackBufferWidth, kBackBufferHeight);
    return;
  }
  bindTarget(backBufferInWindow ? 0u : offscreenBackBuffer(), kBackBufferWidth, kBackBufferHeight);
}

void GraphicEngineGL::Clear(float r, float g, float b) {
  requireDevice();
  // At once and without flushing: quads already queued still land on top of the cleared target.
  glClearColor(channel(r), channel(g), channel(b), 1.0f);
  glClear(GL_COLOR_BUFFER_BIT);
}

void GraphicEngineGL::EndFrame() {
  requireDevice();
  flush();
  present();
}

void GraphicEngineGL::SetTexture(std::int32_t slot) {
  if (slot == currentTexture) return;
  assert(slot >= -1 && slot < kTextureSlots && "texture slot out of range");
  const bool valid = slot >= 0 && slot < kTextureSlots;
  // A slot outside the table draws like an empty one rather than reading past it.
  currentTexture = valid ? slot : -1;
  currentUScale = valid ? slots[slot].uScale : 1.0f;
  currentVScale = valid ? slots[slot].vScale : 1.0f;
}

void GraphicEngineGL::DrawQuad(const Quad* quad) {
  if (halfSize && renderTarget == -1 && !enlargesExactly(*quad)) leaveHalfSize(true);
  Vertex* out = &pendingVertices[static_cast<std::size_t>(pendingCount) * 4];
  for (const QuadVertex& vertex : quad->vertices) {
    *out++ = {vertex.x, vertex.y, vertex.colour, vertex.u * currentUScale, vertex.v * currentVScale};
  }
  pendingTexture[pendingCount] = currentTexture;
  ++pendingCount;
  if (pendingCount >= kFlushThreshold) flush();
}

void GraphicEngineGL::SetRenderTarget(std::int32_t slot) {
  flush();
  if (slot == -1) {
    renderTarget = -1;
    bindBackBuffer();
  } else if (slot == kCanvasSlot) {
    renderTarget = slot;
    bindTarget(canvasFramebuffer, kCanvasWidth, kCanvasHeight);
  } else if (slot > 0 && slot < kTextureSlots && slots[slot].texture != 0) {
    renderTarget = slot;
    glBindFramebuffer(GL_FRAMEBUFFER, slotFramebuffer);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, slots[slot].texture, 0);
    bindTarget(slotFramebuffer, slots[slot].width, slots[slot].height);
  } else {
    assert(false && "render target slot holds no texture");
  }
}

void GraphicEngineGL::DrawText(float x, float y, const char* text, float r, float g, float b, float a) {
  if (text == nullptr) LogError(kTag, "DrawText error");
  // Glyphs are not drawn on even pixel edges.
  if (halfSize && renderTarget == -1) leaveHalfSize(true);
  // Text lies above everything queued before it.
  flush();
  const std::uint32_t colour = PackColour(r, g, b, a);
  const float atlasWidth = static_cast<float>(font.width);
  const float atlasHeight = static_cast<float>(font.height);
  LayOutText(font, x, y, text, [&](const GlyphBox& box, int left, int top) {
    if (pendingCount >= kFlushThreshold) flush();
    const float x0 = static_cast<float>(left);
    const float y0 = static_cast<float>(top);
    const float x1 = x0 + static_cast<float>(box.width);
    const float y1 = y0 + static_cast<float>(box.height);
    const float u0 = static_cast<float>(box.atlasX) / atlasWidth;
    const float v0 = static_cast<float>(box.atlasY) / atlasHeight;
    const float u1 = static_cast<float>(box.atlasX + box.width) / atlasWidth;
    const float v1 = static_cast<float>(box.atlasY + box.height) / atlasHeight;
    Vertex* out = &pendingVertices[static_cast<std::size_t>(pendingCount) * 4];
    out[0] = {x0, y0, colour, u0, v0};
    out[1] = {x1, y0, colour, u1, v0};
    out[2] = {x0, y1, colour, u0, v1};
    out[3] = {x1, y1, colour, u1, v1};
    pendingTexture[pendingCount] = kFontSlot;
    ++pendingCount;
  });
  // And below everything queued after it.
  flush();
}

unsigned GraphicEngineGL::textureOf(std::int32_t slot) const {
  if (slot == kFontSlot) return fontTexture;
  if (slot >= 0 && slot < kTextureSlots && slots[slot].texture != 0) return slots[slot].texture;
  // An empty slot draws like an untextured quad: the vertex colour alone.
  return whiteTexture;
}

void GraphicEngineGL::flush() {
  if (pendingCount == 0) return;
  glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer);
  // The vertex array keeps the index buffer bound. The quads go through the vertex buffer in
  // pieces of at most kBufferQuads, in call order; GL finishes the draws that read a piece before
  // the next piece overwrites it.
  for (int pieceStart = 0; pieceStart < pendingCount; pieceStart += kBufferQuads) {
    const int pieceEnd = std::min(pendingCount, pieceStart + kBufferQuads);
    glBufferSubData(GL_ARRAY_BUFFER, 0, static_cast<GLsizeiptr>(sizeof(Vertex)) * (pieceEnd - pieceStart) * 4,
                    &pendingVertices[static_cast<std::size_t>(pieceStart) * 4]);
    // One draw per run of quads with the same slot within the piece.
    int first = pieceStart;
    while (first < pieceEnd) {
      const std::int32_t slot = pendingTexture[first];
      int end = first + 1;
      while (end < pieceEnd && pendingTexture[end] == slot) ++end;
      glBindTexture(GL_TEXTURE_2D, textureOf(slot));
      glDrawElements(GL_TRIANGLES, (end - first) * 6, GL_UNSIGNED_INT,
                     reinterpret_cast<const void*>(static_cast<std::size_t>(first - pieceStart) * 6 * sizeof(GLuint)));
      ++drawCallCount;
      first = end;
    }
  }
  pendingCount = 0;
  ++flushCount;
}

void GraphicEngineGL::bindTarget(unsigned framebuffer, int width, int height) {
  currentFramebuffer = framebuffer;
  targetWidth = width;
  targetHeight = height;
  glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
  // The half-size back buffer takes the full-size coordinates onto half as many pixels.
  const int divisor = halfFramebuffer != 0 && framebuffer == halfFramebuffer ? 2 : 1;
  glViewport(0, 0, width / divisor, height / divisor);
  glUniform2f(targetSizeLocation, static_cast<float>(width), static_cast<float>(height));
  glUniform1f(yDirectionLocation, framebuffer == 0 ? -1.0f : 1.0f);
}

void GraphicEngineGL::present() {
  if (!egl.HasWindow()) return;
  if (halfSize) {
    presentHalfSize();
    return;
  }
  if (backBufferInWindow) {
    // The window already shows the picture, and keeps it for the next frame to draw over.
    egl.SwapBuffers();
    return;
  }
  const display::Fit fit = display::FitBackBuffer(windowWidth, windowHeight);

  glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
  glBindFramebuffer(GL_READ_FRAMEBUFFER, backBufferFramebuffer);
  glViewport(0, 0, windowWidth, windowHeight);
  if (fit.width != windowWidth || fit.height != windowHeight) {
    // Black bars; a picture that fills the window leaves nothing to clear.
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
  }
  if (fit.width > 0 && fit.height > 0) {
    // Window rows count from the bottom: the back buffer's top row goes to the picture's top edge.
    const int top = windowHeight - fit.y;
    glBlitFramebuffer(0, 0, kBackBufferWidth, kBackBufferHeight, fit.x, top, fit.x + fit.width, top - fit.height,
                      GL_COLOR_BUFFER_BIT, GL_NEAREST);
  }
  egl.SwapBuffers();

  // Back to whatever target the frame ended on.
  bindTarget(currentFramebuffer, targetWidth, targetHeight);
}

void GraphicEngineGL::presentHalfSize() {
  constexpr int halfWidth = display::kLogicalWidth;
  constexpr int halfHeight = display::kLogicalHeight;
  halfPixels.resize(static_cast<std::size_t>(halfWidth) * halfHeight * 4);
  glBindFramebuffer(GL_READ_FRAMEBUFFER, halfFramebuffer);
  glReadPixels(0, 0, halfWidth, halfHeight, GL_RGBA, GL_UNSIGNED_BYTE, halfPixels.data());
  glBindFramebuffer(GL_READ_FRAMEBUFFER, currentFramebuffer);
  presenter->PutEnlarged(halfPixels.data());
}

void GraphicEngineGL::ReadBackBuffer(std::vector<std::uint8_t>& rgb) const {
  rgb.resize(static_cast<std::size_t>(kBackBufferWidth) * 3 * kBackBufferHeight);
  ReadBackBufferRows(0, kBackBufferHeight, rgb.data());
}

void GraphicEngineGL::ReadBackBufferRows(int top, int count, std::uint8_t* rgb) const {
  assert(top >= 0 && count >= 0 && top + count <= kBackBufferHeight && "rows outside the back buffer");
  constexpr std::size_t rowBytes = static_cast<std::size_t>(kBackBufferWidth) * 3;
  if (halfSize) {
    // Each half-size row and pixel stands for two.
    if (count == 0) return;
    const int firstHalfRow = top / 2;
    const int halfRows = (top + count - 1) / 2 - firstHalfRow + 1;
    constexpr int halfWidth = display::kLogicalWidth;
    std::vector<std::uint8_t> half(static_cast<std::size_t>(halfWidth) * 3 * static_cast<std::size_t>(halfRows));
    glBindFramebuffer(GL_READ_FRAMEBUFFER, halfFramebuffer);
    glReadPixels(0, firstHalfRow, halfWidth, halfRows, GL_RGB, GL_UNSIGNED_BYTE, half.data());
    glBindFramebuffer(GL_READ_FRAMEBUFFER, currentFramebuffer);
    for (int row = 0; row < count; ++row) {
      const std::uint8_t* source =
          &half[static_cast<std::size_t>((top + row) / 2 - firstHalfRow) * static_cast<std::size_t>(halfWidth) * 3];
      std::uint8_t* out = rgb + static_cast<std::size_t>(row) * rowBytes;
      for (int column = 0; column < kBackBufferWidth; ++column) {
        std::memcpy(out + static_cast<std::size_t>(column) * 3, source + static_cast<std::size_t>(column / 2) * 3, 3);
      }
    }
    return;
  }
  glBindFramebuffer(GL_READ_FRAMEBUFFER, backBufferInWindow ? 0 : backBufferFramebuffer);
  // The off-screen back buffer is stored top row first, so GL's row y is the picture's row y;
  // the window's rows run bottom up and are turned over here.
  const int firstGlRow = backBufferInWindow ? kBackBufferHeight - top - count : top;
  glReadPixels(0, firstGlRow, kBackBufferWidth, count, GL_RGB, GL_UNSIGNED_BYTE, rgb);
  if (backBufferInWindow) {
    for (std::size_t upper = 0, lower = static_cast<std::size_t>(count) - 1; count > 0 && upper < lower;
         ++upper, --lower) {
      std::swap_ranges(rgb + upper * rowBytes, rgb + (upper + 1) * rowBytes, rgb + lower * rowBytes);
    }
  }
  glBindFramebuffer(GL_READ_FRAMEBUFFER, currentFramebuffer);
}

bool GraphicEngineGL::ReadTexture(std::int32_t slot, std::vector<std::uint8_t>& rgba, int& width,
                                  int& height) const {
  if (slot < 0 || slot >= kTextureSlots || slots[slot].texture == 0) return false;
  const Slot& source = slots[slot];
  width = source.width;
  height = source.height;
  rgba.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4);
  glBindTexture(GL_TEXTURE_2D, source.texture);
  glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
  return true;
}

void GraphicEngineGL::SetSlotImage(std::int32_t slot, int width, int height, const std::uint8_t* rgba,
                                   float uScale, float vScale) {
  assert(slot > 0 && slot < kTextureSlots && "slot 0 is the canvas; slots end at 255");
  assert(width > 0 && height > 0 && width <= kMaxTextureSide && height <= kMaxTextureSide);
  if (slot <= 0 || slot >= kTextureSlots || width <= 0 || height <= 0) return;
  Slot& target = slots[slot];
  if (target.texture == 0) glGenTextures(1, &target.texture);
  glBindTexture(GL_TEXTURE_2D, target.texture);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
  setSampling(GL_REPEAT);
  target.width = width;
  target.height = height;
  target.uScale = uScale;
  target.vScale = vScale;
  ++slotImageChanges;
  if (slot == currentTexture) {
    // Quads queued from now on use the new image's scales.
    currentUScale = uScale;
    currentVScale = vScale;
  }
}

void GraphicEngineGL::FinishDrawing() const { glFinish(); }

float GraphicEngineGL::UScale(std::int32_t slot) const {
  return slot >= 0 && slot < kTextureSlots ? slots[slot].uScale : 1.0f;
}

float GraphicEngineGL::VScale(std::int32_t slot) const {
  return slot >= 0 && slot < kTextureSlots ? slots[slot].vScale : 1.0f;
}

}  // namespace ge
