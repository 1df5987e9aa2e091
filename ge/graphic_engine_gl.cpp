// The graphic engine on OpenGL 3.3 core. Every image is kept top row first in memory and every
// render target is drawn without a y-flip, so canvas row y is texture row y; the only flip is onto
// the window, whose rows GL counts from the bottom (see ge/gl_pipeline.h). The pieces: the quad
// queue (ge/quad_batch.h), glyph quads (ge/glyph_quads.h), the pipeline (ge/gl_pipeline.h) and one
// presenter per way the back buffer reaches the screen (ge/gl_back_buffer.h).
#include "ge/graphic_engine_gl.h"

#include <cassert>
#include <cstdio>
#include <string>

#include "base/event_log.h"
#include "ge/gl_textures.h"
#include "ge/glyph_quads.h"
#include "ge/half_size.h"
#include "ge/present_half_size_gl.h"
#include "ge/present_window_gl.h"
#include "ge/present_xshm.h"
#include "ge/quad.h"

namespace ge {

namespace {

constexpr const char* kTag = "GE";

bool backBufferSized(int width, int height) {
  return width == display::kBackBufferWidth && height == display::kBackBufferHeight;
}

}  // namespace

GraphicEngineGL::GraphicEngineGL(unsigned long nativeWindow, bool windowed) : windowed(windowed) {
  LogMessage(kTag, "GE init...");
  if (!egl.OpenWindowDisplay(nativeWindow)) LogError(kTag, "Cannot create D3D");
  start();
}

GraphicEngineGL::GraphicEngineGL(Headless) {
  LogMessage(kTag, "GE init...");
  if (!egl.OpenHeadlessDisplay()) LogError(kTag, "Cannot create D3D");
  start();
}

void GraphicEngineGL::start() {
  LogMessage(kTag, "D3D is created");
  // Every step that can still fail to give a working device (the context, the shaders, the render
  // targets) comes before the line that says the device exists.
  if (!egl.CreateContext()) LogError(kTag, "Cannot create Device");
  pipeline.CreateProgram();
  createTargets();
  LogMessage(kTag, "Device is created");

  // Left unfilled: pages never written (the images are far below 1024 × 1024) never take up memory.
  scratch = std::make_unique_for_overwrite<std::uint8_t[]>(static_cast<std::size_t>(kMaxTextureSide) *
                                                           kMaxTextureSide * 4);
  LogMessage(kTag, "Options was changed");
  createFont();
  LogMessage(kTag, "Fonts are created");
  pipeline.CreateBuffers();
  LogMessage(kTag, "Vertex buffer is created");
  choosePresenter();
  bindBackBuffer();
  LogMessage(kTag, "GE was loaded");
}

void GraphicEngineGL::createTargets() {
  const std::uint8_t white[4] = {255, 255, 255, 255};
  whiteTexture = CreateTexture(1, 1, white, TextureEdge::Repeat);

  Slot& canvas = slots[kCanvasSlot];
  canvas = {CreateTexture(kCanvasWidth, kCanvasHeight, nullptr, TextureEdge::Repeat), kCanvasWidth, kCanvasHeight,
            1.0f, 1.0f};
  canvasFramebuffer = CreateFramebuffer(canvas.texture, "the canvas cannot be drawn into");
  ClearBound(0, 0, 0, 0);
  slotFramebuffer = CreateFramebuffer(0);
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
  fontTexture = CreateCoverageTexture(font.width, font.height, font.coverage.data());
}

// A window of the back buffer's size takes the half-size picture enlarged on the CPU when its
// visual allows; any other window shows the full-size back buffer through its surface.
void GraphicEngineGL::choosePresenter() {
  if (!egl.HasWindow()) {
    presenter = std::make_unique<HeadlessPresenter>(offscreen);
    return;
  }
  readWindowSize();
  auto window = std::make_unique<XShmPresenter>();
  if (backBufferSized(windowWidth, windowHeight) &&
      window->Open(egl.XDisplay(), egl.XWindow(), kBackBufferWidth, kBackBufferHeight)) {
    presenter = std::make_unique<HalfSizePresenter>(std::move(window));
    return;
  }
  auto surface = std::make_unique<WindowSurfacePresenter>(egl, offscreen);
  surface->Place(egl.KeepsPixelsAcrossSwaps() && backBufferSized(windowWidth, windowHeight));
  presenter = std::move(surface);
}

GraphicEngineGL::~GraphicEngineGL() {
  LogMessage(kTag, "GE killing...");
  if (egl.IsReady() && egl.MakeCurrentHere()) {
    pipeline.Release();
    DeleteTexture(fontTexture);
    for (Slot& slot : slots) {
      DeleteTexture(slot.texture);
      slot = Slot{};
    }
    DeleteTexture(whiteTexture);
    if (presenter) presenter->Release();
    presenter.reset();
    offscreen.Release();
    DeleteFramebuffer(canvasFramebuffer);
    DeleteFramebuffer(slotFramebuffer);
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

void GraphicEngineGL::readWindowSize() {
  windowWidth = kBackBufferWidth;
  windowHeight = kBackBufferHeight;
  egl.WindowSize(windowWidth, windowHeight);
}

void GraphicEngineGL::BeginFrame() {
  requireDevice();
  batch.Clear();
  if (!egl.HasWindow()) return;
  readWindowSize();
  const bool sized = backBufferSized(windowWidth, windowHeight);
  if (Mode() == Presentation::HalfSize) {
    if (sized) return;
    // A resized surface has dropped its pixels: the full-size back buffer starts from black, as
    // it does when the window leaves holding it.
    leaveHalfSize(false);
  }
  // A window of exactly the back buffer's size whose pixels survive the swaps can be the back
  // buffer itself: the frame is drawn straight into it and the full-window copy is saved.
  assert(Mode() == Presentation::Window && "a window's full-size back buffer goes through its surface");
  auto& surface = static_cast<WindowSurfacePresenter&>(*presenter);
  if (surface.Place(egl.KeepsPixelsAcrossSwaps() && sized)) rebindTarget();
}

void GraphicEngineGL::KeepBackBufferAtHalfSize() {
  if (Mode() == Presentation::HalfSize) return;
  presenter->Release();
  presenter = std::make_unique<HalfSizePresenter>(nullptr);
  rebindTarget();
}

// Leaves the half-size back buffer for a full-size one: off-screen, fitted into the window when
// there is one.
void GraphicEngineGL::leaveHalfSize(bool keepPicture) {
  flush();  // quads queued so far belong to the half-size picture
  auto& half = static_cast<HalfSizePresenter&>(*presenter);
  half.HandOver(offscreen.Framebuffer(), keepPicture);
  half.Release();
  if (egl.HasWindow()) {
    presenter = std::make_unique<WindowSurfacePresenter>(egl, offscreen);
    static_cast<WindowSurfacePresenter&>(*presenter).Place(false);
  } else {
    presenter = std::make_unique<HeadlessPresenter>(offscreen);
  }
  rebindTarget();
}

bool GraphicEngineGL::enlargesExactly(const Quad& quad) const {
  QuadTexture texture;
  texture.uScale = currentUScale;
  texture.vScale = currentVScale;
  if (textureOf(currentTexture) != whiteTexture) {
    const Slot& slot = slots[currentTexture];
    texture = {slot.width, slot.height, currentUScale, currentVScale, true};
  }
  return EnlargesExactly(quad, texture);
}

bool GraphicEngineGL::PresentsThroughSharedMemory() const {
  const auto* half = dynamic_cast<const HalfSizePresenter*>(presenter.get());
  return half != nullptr && half->UsesSharedMemory();
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
  bindTarget(presenter->Framebuffer(), kBackBufferWidth, kBackBufferHeight, presenter->Divisor());
}

void GraphicEngineGL::Clear(float r, float g, float b) {
  requireDevice();
  // At once and without flushing: quads already queued still land on top of the cleared target.
  ClearBound(ColourByte(r), ColourByte(g), ColourByte(b));
}

void GraphicEngineGL::EndFrame() {
  requireDevice();
  flush();
  if (!egl.HasWindow()) return;
  presenter->Present(windowWidth, windowHeight);
  // Back to whatever target the frame ended on.
  bindTarget(currentFramebuffer, targetWidth, targetHeight, targetDivisor);
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
  if (renderTarget == -1 && Mode() == Presentation::HalfSize && !enlargesExactly(*quad)) leaveHalfSize(true);
  if (batch.Add(*quad, currentTexture, currentUScale, currentVScale)) flush();
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
    AttachTexture(slotFramebuffer, slots[slot].texture);
    bindTarget(slotFramebuffer, slots[slot].width, slots[slot].height);
  } else {
    assert(false && "render target slot holds no texture");
  }
}

void GraphicEngineGL::DrawText(float x, float y, const char* text, float r, float g, float b, float a) {
  if (text == nullptr) LogError(kTag, "DrawText error");
  // Glyphs are not drawn on even pixel edges.
  if (renderTarget == -1 && Mode() == Presentation::HalfSize) leaveHalfSize(true);
  // Text lies above everything queued before it.
  flush();
  ForEachGlyphQuad(font, x, y, text, PackColour(r, g, b, a), [&](const Quad& glyph) {
    if (batch.Full()) flush();
    batch.Add(glyph, kFontSlot, 1.0f, 1.0f);
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
  if (batch.Empty()) return;
  drawCallCount += pipeline.Draw(batch, [this](std::int32_t slot) { return textureOf(slot); });
  batch.Clear();
  ++flushCount;
}

void GraphicEngineGL::bindTarget(unsigned framebuffer, int width, int height, int divisor) {
  currentFramebuffer = framebuffer;
  targetWidth = width;
  targetHeight = height;
  targetDivisor = divisor;
  pipeline.BindTarget(framebuffer, width, height, divisor);
}

void GraphicEngineGL::ReadBackBufferRows(int top, int count, std::uint8_t* rgb) const {
  assert(top >= 0 && count >= 0 && top + count <= kBackBufferHeight && "rows outside the back buffer");
  presenter->ReadRows(top, count, rgb);
}

bool GraphicEngineGL::ReadTexture(std::int32_t slot, std::vector<std::uint8_t>& rgba, int& width,
                                  int& height) const {
  if (slot < 0 || slot >= kTextureSlots || slots[slot].texture == 0) return false;
  const Slot& source = slots[slot];
  width = source.width;
  height = source.height;
  rgba.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4);
  ge::ReadTexture(source.texture, rgba.data());
  return true;
}

void GraphicEngineGL::SetSlotImage(std::int32_t slot, int width, int height, const std::uint8_t* rgba,
                                   float uScale, float vScale) {
  assert(slot > 0 && slot < kTextureSlots && "slot 0 is the canvas; slots end at 255");
  assert(width > 0 && height > 0 && width <= kMaxTextureSide && height <= kMaxTextureSide);
  if (slot <= 0 || slot >= kTextureSlots || width <= 0 || height <= 0) return;
  Slot& target = slots[slot];
  if (target.texture == 0) {
    target.texture = CreateTexture(width, height, rgba, TextureEdge::Repeat);
  } else {
    ReplaceTexture(target.texture, width, height, rgba);
  }
  target = {target.texture, width, height, uScale, vScale};
  ++slotImageChanges;
  if (slot == currentTexture) {
    // Quads queued from now on use the new image's scales.
    currentUScale = uScale;
    currentVScale = vScale;
  }
}

void GraphicEngineGL::FinishDrawing() const { FinishGl(); }

float GraphicEngineGL::UScale(std::int32_t slot) const {
  return slot >= 0 && slot < kTextureSlots ? slots[slot].uScale : 1.0f;
}

float GraphicEngineGL::VScale(std::int32_t slot) const {
  return slot >= 0 && slot < kTextureSlots ? slots[slot].vScale : 1.0f;
}

}  // namespace ge
