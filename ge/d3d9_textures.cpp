// Texels in and out of Direct3D 9 (see the header). Direct3D's A8R8G8B8 is B, G, R, A in memory.
#include "ge/d3d9_textures.h"

#include <windows.h>
#include <d3d9.h>

#include <cstring>
#include <utility>

namespace ge {

namespace {

// Rows of `rowBytes` each out of a locked rectangle, whose rows may be longer (its pitch).
void copyRows(const void* bits, INT pitch, std::size_t rowBytes, int rows, std::vector<std::uint8_t>& out) {
  out.resize(rowBytes * static_cast<std::size_t>(rows));
  for (int row = 0; row < rows; ++row) {
    std::memcpy(&out[rowBytes * static_cast<std::size_t>(row)],
                static_cast<const std::uint8_t*>(bits) + static_cast<std::ptrdiff_t>(row) * pitch, rowBytes);
  }
}

}  // namespace

IDirect3DTexture9* CreateManagedTexture(IDirect3DDevice9* device, int width, int height, const std::uint8_t* rgba) {
  IDirect3DTexture9* texture = nullptr;
  if (device == nullptr || FAILED(device->CreateTexture(static_cast<UINT>(width), static_cast<UINT>(height), 1, 0,
                                                        D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture, nullptr))) {
    return nullptr;
  }
  D3DLOCKED_RECT locked;
  if (FAILED(texture->LockRect(0, &locked, nullptr, 0))) {
    texture->Release();
    return nullptr;
  }
  for (int row = 0; row < height; ++row) {
    auto* out = static_cast<std::uint8_t*>(locked.pBits) + static_cast<std::ptrdiff_t>(row) * locked.Pitch;
    const std::uint8_t* in = rgba + static_cast<std::size_t>(row) * static_cast<std::size_t>(width) * 4;
    for (int x = 0; x < width; ++x, in += 4, out += 4) {
      out[0] = in[2];
      out[1] = in[1];
      out[2] = in[0];
      out[3] = in[3];
    }
  }
  texture->UnlockRect(0);
  return texture;
}

bool ReadManagedTexture(IDirect3DTexture9* texture, std::vector<std::uint8_t>& rgba, int& width, int& height) {
  D3DSURFACE_DESC description;
  D3DLOCKED_RECT locked;
  if (texture == nullptr || FAILED(texture->GetLevelDesc(0, &description)) ||
      FAILED(texture->LockRect(0, &locked, nullptr, D3DLOCK_READONLY))) {
    return false;
  }
  width = static_cast<int>(description.Width);
  height = static_cast<int>(description.Height);
  copyRows(locked.pBits, locked.Pitch, static_cast<std::size_t>(width) * 4, height, rgba);
  texture->UnlockRect(0);
  SwapRedAndBlue(rgba);
  return true;
}

bool ReadRenderTarget(IDirect3DDevice9* device, IDirect3DSurface9* target, IDirect3DSurface9*& copy,
                      std::vector<std::uint8_t>& bgra) {
  D3DSURFACE_DESC description;
  if (device == nullptr || target == nullptr || FAILED(target->GetDesc(&description))) return false;
  if (copy == nullptr && FAILED(device->CreateOffscreenPlainSurface(description.Width, description.Height,
                                                                    description.Format, D3DPOOL_SYSTEMMEM, &copy,
                                                                    nullptr))) {
    copy = nullptr;
    return false;
  }
  D3DLOCKED_RECT locked;
  if (FAILED(device->GetRenderTargetData(target, copy)) || FAILED(copy->LockRect(&locked, nullptr, D3DLOCK_READONLY))) {
    return false;
  }
  copyRows(locked.pBits, locked.Pitch, static_cast<std::size_t>(description.Width) * 4,
           static_cast<int>(description.Height), bgra);
  copy->UnlockRect();
  return true;
}

void SwapRedAndBlue(std::vector<std::uint8_t>& pixels) {
  for (std::size_t at = 0; at + 3 < pixels.size(); at += 4) std::swap(pixels[at], pixels[at + 2]);
}

}  // namespace ge
