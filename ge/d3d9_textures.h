// Texels in and out of Direct3D 9: managed textures made from R, G, B, A bytes, and textures and
// render targets read back as R, G, B, A bytes (render targets through a system-memory copy,
// the only way Direct3D 9 lets the CPU see them). The graphic engine on Direct3D 9 uses them.
#pragma once

#include <cstdint>
#include <vector>

struct IDirect3DDevice9;
struct IDirect3DTexture9;
struct IDirect3DSurface9;

namespace ge {

// A width × height A8R8G8B8 texture in the managed pool (kept through a device reset) holding
// `rgba` (top row first); null when it cannot be made or filled.
IDirect3DTexture9* CreateManagedTexture(IDirect3DDevice9* device, int width, int height, const std::uint8_t* rgba);

// Level 0 of a lockable (managed) texture as R, G, B, A bytes, top row first.
bool ReadManagedTexture(IDirect3DTexture9* texture, std::vector<std::uint8_t>& rgba, int& width, int& height);

// A render target's pixels as B, G, R, X (or A) bytes, its own layout, top row first, through
// `copy`: a system-memory surface of the target's size and format, made at the first read and
// kept for the next ones (the caller releases it).
bool ReadRenderTarget(IDirect3DDevice9* device, IDirect3DSurface9* target, IDirect3DSurface9*& copy,
                      std::vector<std::uint8_t>& bgra);

// Exchanges the first and third byte of every four: B, G, R, A to R, G, B, A and back.
void SwapRedAndBlue(std::vector<std::uint8_t>& pixels);

}  // namespace ge
