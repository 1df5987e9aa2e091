// The graphic engine on OpenGL 3.3 core through EGL: textured quads batched per texture run, text
// from a FreeType glyph atlas, a 512 × 256 canvas texture and a 640 × 480 back buffer.
// Supports: an X11 window (the picture fitted into it, centred 4:3 with black bars) or no window at
// all (surfaceless, for tests and tools), reading the back buffer back. Does not: recover a lost
// context, draw into more than one window.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "ge/egl_context.h"
#include "ge/font_atlas.h"
#include "ge/graphic_engine.h"

namespace ge {

class GraphicEngineGL final : public XGraphicEngine {
 public:
  static constexpr int kBackBufferWidth = 640;
  static constexpr int kBackBufferHeight = 480;
  static constexpr int kCanvasWidth = 512;
  static constexpr int kCanvasHeight = 256;
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
  void placeBackBuffer(bool inWindow);
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
};

}  // namespace ge
