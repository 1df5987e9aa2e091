// The graphic engine on OpenGL 3.3 core through EGL: textured quads batched per texture run, text
// from a FreeType glyph atlas, a 512 × 256 canvas texture and a 640 × 480 back buffer.
// Supports: an X11 window (the picture fitted into it, centred 4:3 with black bars) or no window at
// all (surfaceless, for tests and tools), reading the back buffer back. Does not: recover a lost
// context, draw into more than one window.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "base/display_geometry.h"
#include "ge/egl_context.h"
#include "ge/font_atlas.h"
#include "ge/graphic_engine.h"

namespace ge {

class XShmPresenter;

class GraphicEngineGL final : public XGraphicEngine {
 public:
  static constexpr int kBackBufferWidth = display::kBackBufferWidth;
  static constexpr int kBackBufferHeight = display::kBackBufferHeight;
  static constexpr int kCanvasWidth = display::kCanvasWidth;
  static constexpr int kCanvasHeight = display::kCanvasHeight;
  static constexpr int kPendingCapacity = 32000;  // quads the pending store holds
  static constexpr int kFlushThreshold = 30000;   // queuing this many quads flushes them at once
  static constexpr int kMaxTextureSide = 1024;
  static constexpr int kBufferQuads = 1024;  // quads the GL buffers hold; a longer batch goes in pieces

  struct Headless {};

  // On the toolkit's X11 window; `windowed` is false when the window is full-screen. Ends the
  // program with a "GE" error when no display or context can be had.
  GraphicEngineGL(unsigned long nativeWindow, bool windowed);
  // Without any window or X server: the back buffer exists only off-screen.
  explicit GraphicEngineGL(Headless);
  static GraphicEngineGL* CreateHeadless() { return new GraphicEngineGL(Headless{}); }

  ~GraphicEngineGL();
  GraphicEngineGL(const GraphicEngineGL&) = delete;
  GraphicEngineGL& operator=(const GraphicEngineGL&) = delete;

  void BeginFrame() override;
  void Clear(float r, float g, float b) override;
  void EndFrame() override;
  void SetTexture(std::int32_t slot) override;
  void DrawQuad(const Quad* quad) override;
  void SetRenderTarget(std::int32_t slot) override;
  void DrawText(float x, float y, const char* text, float r, float g, float b, float a) override;

  // The 640 × 480 back buffer as it stands: top row first, three bytes R, G, B per pixel.
  void ReadBackBuffer(std::vector<std::uint8_t>& rgb) const;
  // Rows top .. top + count − 1 of it, in the same form, into rgb (count × 640 × 3 bytes).
  void ReadBackBufferRows(int top, int count, std::uint8_t* rgb) const;
  // A slot's whole texture: top row first, four bytes R, G, B, A per texel; false for an empty slot.
  bool ReadTexture(std::int32_t slot, std::vector<std::uint8_t>& rgba, int& width, int& height) const;

  // Fills a slot with a texture of width × height texels (top row first, R, G, B, A bytes) of
  // which the image covers the fractions uScale × vScale. Slot 0 is the canvas and is refused.
  void SetSlotImage(std::int32_t slot, int width, int height, const std::uint8_t* rgba, float uScale,
                    float vScale);
  float UScale(std::int32_t slot) const;
  float VScale(std::int32_t slot) const;

  // 1024 × 1024 × 4 bytes the texture loader assembles images in, so that loading allocates no
  // more than the texture itself.
  std::uint8_t* TextureScratch() { return scratch.get(); }

  // Waits until everything sent so far is drawn: GL drivers draw behind the caller's back, so
  // benchmarks call this to time the drawing and not only the queuing.
  void FinishDrawing() const;

  const FontAtlas& Font() const { return font; }
  bool Windowed() const { return windowed; }
  // Flushes (uploads plus draws) since construction: lets tests see when a batch went out.
  std::int64_t FlushCount() const { return flushCount; }
  std::int64_t DrawCallCount() const { return drawCallCount; }

  // The window's size as read at the last BeginFrame (the back buffer's size without a window).
  int WindowWidth() const { return windowWidth; }
  int WindowHeight() const { return windowHeight; }
  // Counts SetSlotImage calls: a slot's new image changes what the same draw calls show.
  std::uint64_t SlotImageChanges() const { return slotImageChanges; }
  // The slot DrawQuad would use now (−1 none) and the render target (−1 the back buffer).
  std::int32_t SelectedTexture() const { return currentTexture; }
  std::int32_t RenderTarget() const { return renderTarget; }
  // The back buffer kept at half size (320 × 240), each of its pixels standing for a 2 × 2 block,
  // for as long as every draw into it enlarges exactly two times (the adapter's canvas quad does);
  // the first draw that does not turns it into the full-size one. A 640 × 480 window with MIT-SHM
  // does this by itself and presents the half-size picture enlarged on the CPU; this call does it
  // headless, so that tests and tools can compare it with the full-size path. Call it before
  // anything is drawn into the back buffer: the half-size one starts black.
  void KeepBackBufferAtHalfSize();
  bool BackBufferAtHalfSize() const { return halfSize; }
  // Makes this engine's context current on the calling thread (a thread may drive two engines).
  bool MakeCurrentHere() { return egl.MakeCurrentHere(); }

 private:
  // The one vertex layout, as the shader reads it; u and v already scaled to the texture.
  struct Vertex {
    float x;
    float y;
    std::uint32_t colour;  // ARGB
    float u;
    float v;
  };
  struct Slot {
    unsigned texture = 0;  // GL name, 0 empty
    int width = 0;
    int height = 0;
    float uScale = 1.0f;
    float vScale = 1.0f;
  };
  // The font atlas travels through the queue like a texture slot past the last real one.
  static constexpr std::int32_t kFontSlot = kTextureSlots;

  void start();
  void createPipeline();
  void createTargets();
  void createFont();
  void createBuffers();
  void requireDevice() const;
  void flush();
  void bindTarget(unsigned framebuffer, int width, int height);
  void bindBackBuffer();
  void rebindTarget();
  void clearToBlack(unsigned framebuffer, int width, int height);
  void placeBackBuffer(bool inWindow);
  void leaveHalfSize(bool keepPicture);
  bool enlargesExactly(const Quad& quad) const;
  void presentHalfSize();
  bool windowHoldsBackBuffer();
  unsigned offscreenBackBuffer();
  void present();
  unsigned textureOf(std::int32_t slot) const;

  EglContext egl;
  bool windowed = true;
  bool headless = false;

  Slot slots[kTextureSlots];
  unsigned whiteTexture = 0;  // stands in for an empty slot: quads show their vertex colour
  unsigned fontTexture = 0;
  FontAtlas font;

  unsigned program = 0;
  int targetSizeLocation = -1;
  int yDirectionLocation = -1;
  unsigned vertexArray = 0;
  unsigned vertexBuffer = 0;
  unsigned indexBuffer = 0;

  unsigned backBufferFramebuffer = 0;  // our own back buffer: never cleared, kept across frames
  unsigned backBufferTexture = 0;
  bool backBufferInWindow = false;     // the window's surface holds the back buffer instead
  int windowWidth = kBackBufferWidth;  // the window's size, read at each frame's start
  int windowHeight = kBackBufferHeight;
  bool halfSize = false;               // the back buffer is kept at 320 × 240 (see above)
  unsigned halfFramebuffer = 0;
  unsigned halfTexture = 0;
  std::unique_ptr<XShmPresenter> presenter;  // presents the half-size back buffer into the window
  std::vector<std::uint8_t> halfPixels;      // the half-size picture read back for presenting
  unsigned canvasFramebuffer = 0;      // slot 0 as a render target
  unsigned slotFramebuffer = 0;        // any other slot as a render target
  unsigned currentFramebuffer = 0;     // the framebuffer of the current render target
  int targetWidth = kBackBufferWidth;  // and its size
  int targetHeight = kBackBufferHeight;
  std::int32_t renderTarget = -1;

  std::int32_t currentTexture = -1;    // no slot selected yet
  float currentUScale = 1.0f;
  float currentVScale = 1.0f;

  std::unique_ptr<Vertex[]> pendingVertices;
  std::unique_ptr<std::int32_t[]> pendingTexture;
  int pendingCount = 0;
  std::unique_ptr<std::uint8_t[]> scratch;

  std::int64_t flushCount = 0;
  std::int64_t drawCallCount = 0;
  std::uint64_t slotImageChanges = 0;
};

}  // namespace ge
