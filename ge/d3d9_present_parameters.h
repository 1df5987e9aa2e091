// The present parameters of the game's Direct3D 9 device: the 640 × 480 back buffer, one of it,
// flipped, presented at once. The same parameters serve both modes: full screen switches the
// display to 640 × 480. The engine creates and resets its device with them; the bare-device floor
// benchmark uses them too, so that it measures the same presenting.
#pragma once

#include <windows.h>
#include <d3d9.h>

#include <cstring>

#include "base/display_geometry.h"

namespace ge {

inline D3DPRESENT_PARAMETERS PresentParametersFor(HWND window, bool windowed) {
  D3DPRESENT_PARAMETERS parameters;
  std::memset(&parameters, 0, sizeof(parameters));
  parameters.BackBufferWidth = display::kBackBufferWidth;
  parameters.BackBufferHeight = display::kBackBufferHeight;
  parameters.BackBufferFormat = D3DFMT_X8R8G8B8;
  parameters.BackBufferCount = 1;
  parameters.MultiSampleType = D3DMULTISAMPLE_NONE;
  parameters.SwapEffect = D3DSWAPEFFECT_FLIP;
  parameters.hDeviceWindow = window;
  parameters.Windowed = windowed ? TRUE : FALSE;
  parameters.EnableAutoDepthStencil = FALSE;
  parameters.FullScreen_RefreshRateInHz = 0;
  parameters.PresentationInterval = D3DPRESENT_INTERVAL_IMMEDIATE;
  return parameters;
}

}  // namespace ge
