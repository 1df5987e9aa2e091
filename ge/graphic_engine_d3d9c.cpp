// The graphic engine on Direct3D 9 (see the header). Vertices are pre-transformed (x, y, z, rhw)
// and shifted by half a pixel, since Direct3D 9 puts pixel centres on whole coordinates: so texels
// land exactly on pixels and the two-times enlargement with point sampling is pixel-exact.
#include "ge/graphic_engine_d3d9c.h"

#include <windows.h>
#include <d3d9.h>
// <windows.h> names its text call DrawText too, as a macro: the engine's own is meant here.
#undef DrawText

#include <cassert>
#include <cstdio>
#include <cstring>
#include <string>

#include "base/event_log.h"
#include "ge/d3d9_present_parameters.h"
#include "ge/d3d9_textures.h"
#include "ge/glyph_quads.h"
#include "ge/quad.h"

namespace ge {

namespace {

constexpr const char* kTag = "GE";

// The device vertex: position already on screen, ARGB colour, one texture coordinate.
struct DeviceVertex {
  float x, y, z, rhw;
  std::uint32_t colour;
  float u, v;
};
static_assert(sizeof(DeviceVertex) == 28, "the vertex format 0x144 is 28 bytes");
constexpr DWORD kVertexFormat = D3DFVF_XYZRHW | D3DFVF_DIFFUSE | D3DFVF_TEX1;
static_assert(kVertexFormat == 0x144);
constexpr UINT kVertexBufferBytes = GraphicEngineD3D9c::kBufferQuads * 4 * sizeof(DeviceVertex);

template <typename T>
void release(T*& object) {
  if (object != nullptr) object->Release();
  object = nullptr;
}

}  // namespace

GraphicEngineD3D9c::GraphicEngineD3D9c(HWND__* window, bool windowed)
    : window(window), windowed(windowed), presentParameters(std::make_unique<D3DPRESENT_PARAMETERS>()) {
  for (int slot = 0; slot < kTextureSlots; ++slot) uScale[slot] = vScale[slot] = 1.0f;
  LogMessage(kTag, "GE init...");
  direct3D = Direct3DCreate9(D3D_SDK_VERSION);
  if (direct3D == nullptr) LogError(kTag, "Cannot create D3D");
  LogMessage(kTag, "D3D is created");

  *presentParameters = PresentParametersFor(window, windowed);
  createDevice(window);
  // Everything the frame cannot draw without belongs to the device: without it there is none.
  if (!createDefaultResources() || !createManagedResources()) LogError(kTag, "Cannot create Device");
  LogMessage(kTag, "Device is created");

  setFixedState();
  // Left unfilled: pages never written (the images are far below 1024 × 1024) never take up memory.
  scratch = std::make_unique_for_overwrite<std::uint8_t[]>(static_cast<std::size_t>(kMaxTextureSide) *
                                                           kMaxTextureSide * 4);
  LogMessage(kTag, "Options was changed");
  createFont();
  LogMessage(kTag, "Fonts are created");
  LogMessage(kTag, "Vertex buffer is created");
  readWindowSize();
  LogMessage(kTag, "GE was loaded");
}

// A hardware device first; software vertex processing and the reference rasteriser after.
void GraphicEngineD3D9c::createDevice(HWND__* focusWindow) {
  struct Attempt {
    D3DDEVTYPE type;
    DWORD flags;
  };
  const Attempt attempts[] = {{D3DDEVTYPE_HAL, D3DCREATE_HARDWARE_VERTEXPROCESSING},
                              {D3DDEVTYPE_HAL, D3DCREATE_SOFTWARE_VERTEXPROCESSING},
                              {D3DDEVTYPE_REF, D3DCREATE_SOFTWARE_VERTEXPROCESSING}};
  for (const Attempt& attempt : attempts) {
    // Creation may write into the parameters it is given; the saved ones stay as asked.
    D3DPRESENT_PARAMETERS parameters = *presentParameters;
    if (SUCCEEDED(direct3D->CreateDevice(D3DADAPTER_DEFAULT, attempt.type, focusWindow, attempt.flags, &parameters,
                                         &device))) {
      return;
    }
    device = nullptr;
  }
  LogError(kTag, "Cannot create Device");
}

// What Reset takes away: the canvas, the picture, the vertex buffer (all in the default pool).
bool GraphicEngineD3D9c::createDefaultResources() {
  if (FAILED(device->CreateTexture(kCanvasWidth, kCanvasHeight, 1, D3DUSAGE_RENDERTARGET, D3DFMT_A8R8G8B8,
                                   D3DPOOL_DEFAULT, &textures[kCanvasSlot], nullptr)) ||
      FAILED(textures[kCanvasSlot]->GetSurfaceLevel(0, &canvasSurface))) {
    return false;
  }
  uScale[kCanvasSlot] = vScale[kCanvasSlot] = 1.0f;
  if (FAILED(device->CreateRenderTarget(kBackBufferWidth, kBackBufferHeight, D3DFMT_X8R8G8B8, D3DMULTISAMPLE_NONE, 0,
                                        FALSE, &pictureSurface, nullptr))) {
    return false;
  }
  // Both start as they do in every engine: the canvas transparent black, the picture black.
  device->ColorFill(canvasSurface, nullptr, D3DCOLOR_ARGB(0, 0, 0, 0));
  device->ColorFill(pictureSurface, nullptr, D3DCOLOR_ARGB(255, 0, 0, 0));
  // Dynamic and write-only: each piece of the batch is written into a discarded buffer, so the
  // driver never waits for the piece drawn before.
  return SUCCEEDED(device->CreateVertexBuffer(kVertexBufferBytes, D3DUSAGE_DYNAMIC | D3DUSAGE_WRITEONLY, kVertexFormat,
                                              D3DPOOL_DEFAULT, &vertexBuffer, nullptr));
}

void GraphicEngineD3D9c::releaseDefaultResources() {
  if (device != nullptr) {
    // The device holds what is bound to it; Reset wants no default-pool object alive.
    IDirect3DSurface9* backBuffer = nullptr;
    if (SUCCEEDED(device->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, &backBuffer))) {
      device->SetRenderTarget(0, backBuffer);
      backBuffer->Release();
    }
    device->SetTexture(0, nullptr);
    device->SetStreamSource(0, nullptr, 0, 0);
  }
  release(vertexBuffer);
  release(canvasSurface);
  release(textures[kCanvasSlot]);
  release(pictureSurface);
  release(pictureCopy);
  release(canvasCopy);
  pictureRead.clear();
}

// What survives a reset: the quads' index pattern and the white stand-in texture.
bool GraphicEngineD3D9c::createManagedResources() {
  // Each quad is the strip (top-left, top-right, bottom-left), (top-right, bottom-left,
  // bottom-right) as a list, so that one draw call covers a whole run of quads.
  constexpr UINT kIndexBytes = kBufferQuads * 6 * sizeof(std::uint16_t);
  if (FAILED(device->CreateIndexBuffer(kIndexBytes, D3DUSAGE_WRITEONLY, D3DFMT_INDEX16, D3DPOOL_MANAGED, &indexBuffer,
                                       nullptr))) {
    return false;
  }
  void* data = nullptr;
  if (FAILED(indexBuffer->Lock(0, kIndexBytes, &data, 0))) return false;
  auto* indices = static_cast<std::uint16_t*>(data);
  for (int quad = 0; quad < kBufferQuads; ++quad) {
    const auto first = static_cast<std::uint16_t>(quad * 4);
    const std::uint16_t pattern[6] = {first, static_cast<std::uint16_t>(first + 1), static_cast<std::uint16_t>(first + 2),
                                      static_cast<std::uint16_t>(first + 1), static_cast<std::uint16_t>(first + 2),
                                      static_cast<std::uint16_t>(first + 3)};
    std::memcpy(indices + quad * 6, pattern, sizeof(pattern));
  }
  indexBuffer->Unlock();
  const std::uint8_t white[4] = {255, 255, 255, 255};
  whiteTexture = CreateManagedTexture(device, 1, 1, white);
  return whiteTexture != nullptr;
}

// Set once, and again after a reset, which returns every state to its default.
void GraphicEngineD3D9c::setFixedState() {
  device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
  device->SetRenderState(D3DRS_SHADEMODE, D3DSHADE_GOURAUD);
  device->SetRenderState(D3DRS_ZENABLE, D3DZB_FALSE);
  device->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
  device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
  device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
  device->SetRenderState(D3DRS_DIFFUSEMATERIALSOURCE, D3DMCS_COLOR1);
  device->SetRenderState(D3DRS_COLORVERTEX, TRUE);

  device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_MODULATE);
  device->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_TEXTURE);
  device->SetTextureStageState(0, D3DTSS_COLORARG2, D3DTA_DIFFUSE);
  device->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_MODULATE);
  device->SetTextureStageState(0, D3DTSS_ALPHAARG1, D3DTA_TEXTURE);
  device->SetTextureStageState(0, D3DTSS_ALPHAARG2, D3DTA_DIFFUSE);

  device->SetSamplerState(0, D3DSAMP_MINFILTER, D3DTEXF_POINT);
  device->SetSamplerState(0, D3DSAMP_MAGFILTER, D3DTEXF_POINT);
  device->SetSamplerState(0, D3DSAMP_MIPFILTER, D3DTEXF_NONE);

  device->SetStreamSource(0, vertexBuffer, 0, sizeof(DeviceVertex));
  device->SetFVF(kVertexFormat);
  device->SetIndices(indexBuffer);
  bindTarget();
}

void GraphicEngineD3D9c::createFont() {
  std::string error;
  if (!BuildFontAtlas("Courier New", 14, font, error)) {
    std::fprintf(stderr, "GE: %s\n", error.c_str());
    LogError(kTag, "Cannot create Fonts");
  }
  // White texels whose alpha is the ink: the vertex colour gives the text its colour.
  const int width = display::PowerOfTwoAtLeast(font.width);
  const int height = display::PowerOfTwoAtLeast(font.height);
  std::vector<std::uint8_t> rgba(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4, 0);
  for (int y = 0; y < font.height; ++y) {
    for (int x = 0; x < font.width; ++x) {
      std::uint8_t* texel = &rgba[(static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + x) * 4];
      texel[0] = texel[1] = texel[2] = 255;
      texel[3] = font.coverage[static_cast<std::size_t>(y) * static_cast<std::size_t>(font.width) + x];
    }
  }
  fontTexture = CreateManagedTexture(device, width, height, rgba.data());
  if (fontTexture == nullptr) LogError(kTag, "Cannot create Fonts");
}

GraphicEngineD3D9c::~GraphicEngineD3D9c() {
  LogMessage(kTag, "GE killing...");
  releaseDefaultResources();
  release(fontTexture);
  for (IDirect3DTexture9*& texture : textures) release(texture);
  release(whiteTexture);
  release(indexBuffer);
  release(device);
  release(direct3D);
  // Releasing a full-screen device gives the display its own mode back; asking for it again makes
  // sure, as Wine once left the game's 640 × 480 in place.
  if (!windowed) ChangeDisplaySettingsW(nullptr, 0);
  LogMessage(kTag, "GE was killed");
}

void GraphicEngineD3D9c::requireDevice() const {
  if (device == nullptr) LogError(kTag, "Not Device");
}

void GraphicEngineD3D9c::readWindowSize() {
  RECT client;
  if (window != nullptr && GetClientRect(window, &client)) {
    windowWidth = client.right - client.left;
    windowHeight = client.bottom - client.top;
  }
}

bool GraphicEngineD3D9c::RecoverLostDevice() {
  if (device == nullptr) return false;
  const HRESULT state = device->TestCooperativeLevel();
  if (state == D3D_OK && vertexBuffer != nullptr) {
    deviceLost = false;
    return true;
  }
  // A reset whose resources could not all be made again is tried once more.
  if (state == D3DERR_DEVICENOTRESET || state == D3D_OK) return ResetDevice();
  // Still lost (another program has the full screen, the window is minimised): try again later.
  deviceLost = true;
  return false;
}

bool GraphicEngineD3D9c::ResetDevice() {
  if (device == nullptr) return false;
  if (inScene) device->EndScene();
  inScene = false;
  batch.Clear();
  releaseDefaultResources();
  D3DPRESENT_PARAMETERS parameters = *presentParameters;
  if (FAILED(device->Reset(&parameters)) || !createDefaultResources()) {
    releaseDefaultResources();
    deviceLost = true;
    return false;
  }
  setFixedState();
  deviceLost = false;
  ++pictureGeneration;
  // The canvas and the picture start black again: to whoever leaves out still frames, that is a
  // change of images like any other, and the next frames must be drawn until they settle again.
  ++slotImageChanges;
  return true;
}

void GraphicEngineD3D9c::BeginFrame() {
  requireDevice();
  batch.Clear();
  readWindowSize();
  inScene = !deviceLost && SUCCEEDED(device->BeginScene());
}

void GraphicEngineD3D9c::Clear(float r, float g, float b) {
  requireDevice();
  if (deviceLost) return;
  // At once and without flushing: quads already queued still land on top of the cleared target.
  device->Clear(0, nullptr, D3DCLEAR_TARGET, D3DCOLOR_ARGB(255, ColourByte(r), ColourByte(g), ColourByte(b)), 1.0f, 0);
  ++pictureGeneration;
}

void GraphicEngineD3D9c::EndFrame() {
  requireDevice();
  flush();
  device->SetTexture(0, nullptr);
  if (inScene) device->EndScene();
  inScene = false;
  if (deviceLost) return;
  IDirect3DSurface9* backBuffer = nullptr;
  if (SUCCEEDED(device->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, &backBuffer))) {
    device->StretchRect(pictureSurface, nullptr, backBuffer, nullptr, D3DTEXF_NONE);
    backBuffer->Release();
  }
  // A lost device is no error here: the shell resets it between frames (RecoverLostDevice).
  if (device->Present(nullptr, nullptr, nullptr, nullptr) == D3DERR_DEVICELOST) deviceLost = true;
}

void GraphicEngineD3D9c::SetTexture(std::int32_t slot) {
  if (slot == currentTexture) return;
  assert(slot >= -1 && slot < kTextureSlots && "texture slot out of range");
  const bool valid = slot >= 0 && slot < kTextureSlots;
  // A slot outside the table draws like an empty one rather than reading past it.
  currentTexture = valid ? slot : -1;
  currentUScale = valid ? uScale[slot] : 1.0f;
  currentVScale = valid ? vScale[slot] : 1.0f;
}

void GraphicEngineD3D9c::DrawQuad(const Quad* quad) {
  if (batch.Add(*quad, currentTexture, currentUScale, currentVScale)) flush();
}

void GraphicEngineD3D9c::SetRenderTarget(std::int32_t slot) {
  flush();
  // Picture slots live in the managed pool, which cannot be rendered into: the game never asks.
  assert((slot == -1 || slot == kCanvasSlot) && "only the canvas and the back buffer are render targets");
  if (slot != -1 && slot != kCanvasSlot) return;
  renderTarget = slot;
  bindTarget();
}

// Setting a render target also sets the viewport to the whole of it.
void GraphicEngineD3D9c::bindTarget() {
  IDirect3DSurface9* target = renderTarget == kCanvasSlot ? canvasSurface : pictureSurface;
  if (target != nullptr) device->SetRenderTarget(0, target);
}

void GraphicEngineD3D9c::DrawText(float x, float y, const char* text, float r, float g, float b, float a) {
  if (text == nullptr) LogError(kTag, "DrawText error");
  // Text lies above everything queued before it.
  flush();
  const float fontUScale = static_cast<float>(font.width) / static_cast<float>(display::PowerOfTwoAtLeast(font.width));
  const float fontVScale = static_cast<float>(font.height) / static_cast<float>(display::PowerOfTwoAtLeast(font.height));
  ForEachGlyphQuad(font, x, y, text, PackColour(r, g, b, a), [&](const Quad& glyph) {
    if (batch.Full()) flush();
    batch.Add(glyph, kFontSlot, fontUScale, fontVScale);
  });
  // And below everything queued after it.
  flush();
}

IDirect3DTexture9* GraphicEngineD3D9c::textureOf(std::int32_t slot) const {
  if (slot == kFontSlot) return fontTexture;
  if (slot >= 0 && slot < kTextureSlots && textures[slot] != nullptr) return textures[slot];
  // An empty slot draws like an untextured quad: the vertex colour alone.
  return whiteTexture;
}

void GraphicEngineD3D9c::flush() {
  if (batch.Empty()) return;
  // A lost device draws nothing; the frame goes on and the shell resets the device after it.
  if (!deviceLost && vertexBuffer != nullptr) {
    IDirect3DTexture9* bound = nullptr;
    bool anyBound = false;
    batch.ForEachPiece([this](int firstQuad, int quadCount) { drawPiece(firstQuad, quadCount); },
                       [&](const QuadRun& run) {
                         IDirect3DTexture9* texture = textureOf(run.slot);
                         if (!anyBound || texture != bound) device->SetTexture(0, texture);
                         bound = texture;
                         anyBound = true;
                         device->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, static_cast<UINT>(run.first * 4),
                                                      static_cast<UINT>(run.count * 4), static_cast<UINT>(run.first * 6),
                                                      static_cast<UINT>(run.count * 2));
                         ++drawCallCount;
                       });
    ++flushCount;
    ++pictureGeneration;
  }
  batch.Clear();
}

// Uploads one piece of the batch, shifted half a pixel onto Direct3D 9's pixel centres.
void GraphicEngineD3D9c::drawPiece(int firstQuad, int quadCount) {
  void* data = nullptr;
  const UINT bytes = static_cast<UINT>(quadCount) * 4 * sizeof(DeviceVertex);
  if (FAILED(vertexBuffer->Lock(0, bytes, &data, D3DLOCK_DISCARD))) return;
  auto* out = static_cast<DeviceVertex*>(data);
  const QuadVertex* in = batch.Vertices(firstQuad);
  for (int vertex = 0; vertex < quadCount * 4; ++vertex, ++in) {
    out[vertex] = {in->x - 0.5f, in->y - 0.5f, 0.5f, 1.0f, in->colour, in->u, in->v};
  }
  vertexBuffer->Unlock();
  ++uploadCount;
}

void GraphicEngineD3D9c::ReadBackBufferRows(int top, int count, std::uint8_t* rgb) const {
  assert(top >= 0 && count >= 0 && top + count <= kBackBufferHeight && "rows outside the back buffer");
  if (top < 0 || count < 0 || top + count > kBackBufferHeight) return;
  // One copy from the device serves every band read of the same picture.
  if (readGeneration != pictureGeneration || pictureRead.empty()) {
    if (deviceLost || !ReadRenderTarget(device, pictureSurface, pictureCopy, pictureRead)) {
      // Nothing to read while the device is lost: black, as the picture is after a reset.
      pictureRead.assign(static_cast<std::size_t>(kBackBufferWidth) * kBackBufferHeight * 4, 0);
    }
    readGeneration = pictureGeneration;
  }
  for (int row = top; row < top + count; ++row) {
    const std::uint8_t* in = &pictureRead[static_cast<std::size_t>(row) * kBackBufferWidth * 4];
    for (int x = 0; x < kBackBufferWidth; ++x, in += 4) {
      *rgb++ = in[2];
      *rgb++ = in[1];
      *rgb++ = in[0];
    }
  }
}

bool GraphicEngineD3D9c::ReadTexture(std::int32_t slot, std::vector<std::uint8_t>& rgba, int& width,
                                     int& height) const {
  if (slot < 0 || slot >= kTextureSlots || textures[slot] == nullptr) return false;
  if (slot != kCanvasSlot) return ReadManagedTexture(textures[slot], rgba, width, height);
  if (deviceLost || !ReadRenderTarget(device, canvasSurface, canvasCopy, rgba)) return false;
  width = kCanvasWidth;
  height = kCanvasHeight;
  SwapRedAndBlue(rgba);
  return true;
}

void GraphicEngineD3D9c::SetSlotImage(std::int32_t slot, int width, int height, const std::uint8_t* rgba,
                                      float uScaleOfImage, float vScaleOfImage) {
  assert(slot > 0 && slot < kTextureSlots && "slot 0 is the canvas; slots end at 255");
  assert(width > 0 && height > 0 && width <= kMaxTextureSide && height <= kMaxTextureSide);
  if (slot <= 0 || slot >= kTextureSlots || width <= 0 || height <= 0) return;
  release(textures[slot]);
  // A texture that cannot be made leaves the slot empty: it draws as the vertex colour alone.
  textures[slot] = CreateManagedTexture(device, width, height, rgba);
  uScale[slot] = uScaleOfImage;
  vScale[slot] = vScaleOfImage;
  ++slotImageChanges;
  if (slot == currentTexture) {
    // Quads queued from now on use the new image's scales.
    currentUScale = uScaleOfImage;
    currentVScale = vScaleOfImage;
  }
}

float GraphicEngineD3D9c::UScale(std::int32_t slot) const {
  return slot >= 0 && slot < kTextureSlots ? uScale[slot] : 1.0f;
}

float GraphicEngineD3D9c::VScale(std::int32_t slot) const {
  return slot >= 0 && slot < kTextureSlots ? vScale[slot] : 1.0f;
}

}  // namespace ge
