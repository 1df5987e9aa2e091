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
#include "ge/gl_back_buffer.h"
#include "ge/gl_pipeline.h"
#include "ge/graphic_engine.h"
#include "ge/graphic_engine_access.h"
#include "ge/quad_batch.h"

namespace ge {

class GraphicEngineGL final : public XGraphicEngine, public XGraphicEngineAccess {
 public:
  static constexpr int kBackBufferWidth = display::kBackBufferWidth;
  static constexpr int kBackBufferHeight = display::kBackBufferHeight;
  static constexpr int kCanvasWidth = display::kCanvasWidth;
  static constexpr int kCanvasHeight = display::kCanvasHeight;
  static constexpr int kPendingCapacity = QuadBatch::kCapacity;
  static constexpr int kFlushThreshold = QuadBatch::kFlushThreshold;
  static constexpr int kBufferQuads = QuadBatch::kPieceQuads;  // quads the GL vertex buffer holds

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

  XGraphicEngine& Engine() override { return *this; }
  void ReadBackBufferRows(int top, int count, std::uint8_t* rgb) const override;
  int WindowWidth() const override { return windowWidth; }
  int WindowHeight() const override { return windowHeight; }
  std::uint64_t SlotImageChanges() const override { return slotImageChanges; }
  std::int32_t SelectedTexture() const override { return currentTexture; }
  std::int32_t RenderTarget() const override { return renderTarget; }
  void SetSlotImage(std::int32_t slot, int width, int height, const std::uint8_t* rgba, float uScale,
                    float vScale) override;
  std::uint8_t* TextureScratch() override { return scratch.get(); }

  // A slot's whole texture: top row first, four bytes R, G, B, A per texel; false for an empty slot.
  bool ReadTexture(std::int32_t slot, std::vector<std::uint8_t>& rgba, int& width, int& height) const;
  float UScale(std::int32_t slot) const;
  float VScale(std::int32_t slot) const;

  // Waits until everything sent so far is drawn: GL drivers draw behind the caller's back, so
  // benchmarks call this to time the drawing and not only the queuing.
  void FinishDrawing() const;

  const FontAtlas& Font() const { return font; }
  bool Windowed() const { return windowed; }
  // Flushes (uploads plus draws) since construction: lets tests see when a batch went out.
  std::int64_t FlushCount() const { return flushCount; }
  std::int64_t DrawCallCount() const { return drawCallCount; }

  // How the back buffer reaches the screen now (see ge/gl_back_buffer.h).
  Presentation Mode() const { return presenter->Mode(); }
  // The back buffer kept at half size (320 × 240), each of its pixels standing for a 2 × 2 block,
  // for as long as every draw into it enlarges exactly two times (the adapter's canvas quad does);
  // the first draw that does not turns it into the full-size one. A 640 × 480 window does this by
  // itself and presents the half-size picture enlarged on the CPU; this call does it headless, so
  // that tests and tools can compare it with the full-size path. Call it before anything is drawn
  // into the back buffer: the half-size one starts black.
  void KeepBackBufferAtHalfSize();
  bool BackBufferAtHalfSize() const { return Mode() == Presentation::HalfSize; }
  // True while half-size pictures go to the window through MIT-SHM rather than XPutImage.
  bool PresentsThroughSharedMemory() const;
  // Makes this engine's context current on the calling thread (a thread may drive two engines).
  bool MakeCurrentHere() { return egl.MakeCurrentHere(); }

 private:
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
  void createTargets();
  void createFont();
  void choosePresenter();
  void requireDevice() const;
  void flush();
  void bindTarget(unsigned framebuffer, int width, int height, int divisor = 1);
  void bindBackBuffer();
  void rebindTarget();
  void readWindowSize();
  void leaveHalfSize(bool keepPicture);
  bool enlargesExactly(const Quad& quad) const;
  unsigned textureOf(std::int32_t slot) const;

  EglContext egl;
  bool windowed = true;

  Slot slots[kTextureSlots];
  unsigned whiteTexture = 0;  // stands in for an empty slot: quads show their vertex colour
  unsigned fontTexture = 0;
  FontAtlas font;
  GlPipeline pipeline;

  OffscreenBackBuffer offscreen;
  std::unique_ptr<GlPresenter> presenter;
  int windowWidth = kBackBufferWidth;  // the window's size, read at each frame's start
  int windowHeight = kBackBufferHeight;

  unsigned canvasFramebuffer = 0;      // slot 0 as a render target
  unsigned slotFramebuffer = 0;        // any other slot as a render target
  unsigned currentFramebuffer = 0;     // the framebuffer of the current render target
  int targetWidth = kBackBufferWidth;  // and its size
  int targetHeight = kBackBufferHeight;
  int targetDivisor = 1;
  std::int32_t renderTarget = -1;

  std::int32_t currentTexture = -1;    // no slot selected yet
  float currentUScale = 1.0f;
  float currentVScale = 1.0f;

  QuadBatch batch;
  std::unique_ptr<std::uint8_t[]> scratch;

  std::int64_t flushCount = 0;
  std::int64_t drawCallCount = 0;
  std::uint64_t slotImageChanges = 0;
};

}  // namespace ge
