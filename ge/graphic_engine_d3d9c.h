// The graphic engine on Direct3D 9: textured quads batched through a dynamic vertex buffer, text
// as glyph quads from a GDI font atlas, a 512 × 256 canvas render target enlarged two times onto
// a 640 × 480 picture that is presented through the device's back buffer.
// Supports: a HAL device on a window, windowed or full screen at 640 × 480; recovering a lost
// device (RecoverLostDevice, called by the shell between frames); reading the picture back.
// Does not: need d3dx9 (textures and the font are made here), render into picture slots (only
// the canvas and the back buffer are targets), mipmaps, filtering other than point sampling.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "base/display_geometry.h"
#include "ge/font_atlas.h"
#include "ge/graphic_engine.h"
#include "ge/graphic_engine_access.h"
#include "ge/quad_batch.h"

// Forward declarations keep <windows.h> and <d3d9.h> out of everyone who includes this.
struct HWND__;
struct IDirect3D9;
struct IDirect3DDevice9;
struct IDirect3DTexture9;
struct IDirect3DSurface9;
struct IDirect3DVertexBuffer9;
struct IDirect3DIndexBuffer9;
struct _D3DPRESENT_PARAMETERS_;

namespace ge {

class GraphicEngineD3D9c final : public XGraphicEngine, public XGraphicEngineAccess {
 public:
  static constexpr int kBackBufferWidth = display::kBackBufferWidth;
  static constexpr int kBackBufferHeight = display::kBackBufferHeight;
  static constexpr int kCanvasWidth = display::kCanvasWidth;
  static constexpr int kCanvasHeight = display::kCanvasHeight;
  static constexpr int kFlushThreshold = QuadBatch::kFlushThreshold;
  static constexpr int kBufferQuads = QuadBatch::kPieceQuads;  // quads the vertex buffer holds

  // On `window`, full screen at 640 × 480 when `windowed` is false. Ends the program with a "GE"
  // error when Direct3D, the device or the font cannot be had. Creating the device sends messages
  // to the window's thread: that thread must be free to answer them.
  GraphicEngineD3D9c(HWND__* window, bool windowed);
  ~GraphicEngineD3D9c();
  GraphicEngineD3D9c(const GraphicEngineD3D9c&) = delete;
  GraphicEngineD3D9c& operator=(const GraphicEngineD3D9c&) = delete;

  void BeginFrame() override;
  void Clear(float r, float g, float b) override;
  void EndFrame() override;
  void SetTexture(std::int32_t slot) override;
  void DrawQuad(const Quad* quad) override;
  void SetRenderTarget(std::int32_t slot) override;
  void DrawText(float x, float y, const char* text, float r, float g, float b, float a) override;

  // Called between frames, never inside one and never while a lock the window's thread needs is
  // held (Reset sends it messages). True when the device can draw: it was never lost, or it was
  // reset just now. False while it cannot be reset yet: the caller skips the frame and waits.
  bool RecoverLostDevice();
  // Releases what does not survive a reset, resets the device with the saved parameters and
  // makes it all again; RecoverLostDevice does this when the device asks for it. False, the
  // device still lost, when Reset fails.
  bool ResetDevice();
  // Present said the device was lost and it was not reset since.
  bool DeviceLost() const { return deviceLost; }

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

  // A slot's whole texture (the canvas included): top row first, R, G, B, A per texel; false for
  // an empty slot or when it cannot be read.
  bool ReadTexture(std::int32_t slot, std::vector<std::uint8_t>& rgba, int& width, int& height) const;
  float UScale(std::int32_t slot) const;
  float VScale(std::int32_t slot) const;
  const FontAtlas& Font() const { return font; }
  bool Windowed() const { return windowed; }
  // Uploads and draw calls since construction: lets tests see how a batch went out.
  std::int64_t FlushCount() const { return flushCount; }
  std::int64_t UploadCount() const { return uploadCount; }
  std::int64_t DrawCallCount() const { return drawCallCount; }

 private:
  // The font atlas travels through the queue like a texture slot past the last real one.
  static constexpr std::int32_t kFontSlot = kTextureSlots;

  void createDevice(HWND__* window);
  bool createDefaultResources();
  void releaseDefaultResources();
  bool createManagedResources();
  void setFixedState();
  void createFont();
  void requireDevice() const;
  void bindTarget();
  void flush();
  void drawPiece(int firstQuad, int quadCount);
  IDirect3DTexture9* textureOf(std::int32_t slot) const;
  void readWindowSize();
  bool readSurface(IDirect3DSurface9* source, IDirect3DSurface9*& copy, int width, int height,
                   std::vector<std::uint8_t>& bgrx) const;

  IDirect3D9* direct3D = nullptr;
  IDirect3DDevice9* device = nullptr;
  HWND__* window = nullptr;
  bool windowed = true;
  std::unique_ptr<_D3DPRESENT_PARAMETERS_> presentParameters;

  IDirect3DTexture9* textures[kTextureSlots] = {};
  float uScale[kTextureSlots];
  float vScale[kTextureSlots];
  IDirect3DTexture9* whiteTexture = nullptr;  // stands in for an empty slot: the vertex colour alone
  IDirect3DTexture9* fontTexture = nullptr;
  FontAtlas font;

  // Default pool: lost with the device, made again after a reset.
  IDirect3DVertexBuffer9* vertexBuffer = nullptr;
  IDirect3DSurface9* canvasSurface = nullptr;
  // The picture the canvas is enlarged onto: the engine's back buffer. The device's own back
  // buffer is flipped away at every Present, so the picture lives here, where it stays from frame
  // to frame (what shows through where the canvas is not opaque) and can be read back; each frame
  // it is copied into the device's back buffer just before Present.
  IDirect3DSurface9* pictureSurface = nullptr;
  // Managed pool: survive a reset.
  IDirect3DIndexBuffer9* indexBuffer = nullptr;
  // System memory copies for reading back, made at the first read.
  mutable IDirect3DSurface9* pictureCopy = nullptr;
  mutable IDirect3DSurface9* canvasCopy = nullptr;
  mutable std::vector<std::uint8_t> pictureRead;  // B, G, R, X of the last read picture
  mutable std::uint64_t readGeneration = ~std::uint64_t{0};
  std::uint64_t pictureGeneration = 0;  // changes whenever the picture may have changed

  bool deviceLost = false;
  bool inScene = false;
  int windowWidth = kBackBufferWidth;
  int windowHeight = kBackBufferHeight;
  std::int32_t renderTarget = -1;
  std::int32_t currentTexture = -1;  // no slot selected yet
  float currentUScale = 1.0f;
  float currentVScale = 1.0f;

  QuadBatch batch;
  std::unique_ptr<std::uint8_t[]> scratch;

  std::int64_t flushCount = 0;
  std::int64_t uploadCount = 0;
  std::int64_t drawCallCount = 0;
  std::uint64_t slotImageChanges = 0;
};

}  // namespace ge
