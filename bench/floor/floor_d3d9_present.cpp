// Floor (Windows): a bare Direct3D 9 clear and present of a 640 × 480 window, 60 times a second,
// with the present parameters the game's engine uses (windowed, flip, one back buffer, presented
// at once). Under Wine it measures what wined3d and the display cost for the cheapest picture.
// argv[1] seconds (default 20).
#include <windows.h>
#include <d3d9.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "base/display_geometry.h"
#include "ge/d3d9_present_parameters.h"

namespace {

LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(window, message, wParam, lParam);
}

HWND openWindow() {
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = windowProcedure;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  windowClass.lpszClassName = "floor_d3d9_present";
  RegisterClassA(&windowClass);
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  RECT frame = {0, 0, display::kBackBufferWidth, display::kBackBufferHeight};
  AdjustWindowRect(&frame, style, FALSE);
  HWND window = CreateWindowA("floor_d3d9_present", "floor_d3d9_present", style, CW_USEDEFAULT, CW_USEDEFAULT,
                              frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                              windowClass.hInstance, nullptr);
  if (window) ShowWindow(window, SW_SHOW);
  return window;
}

IDirect3DDevice9* createDevice(IDirect3D9* direct3D, HWND window) {
  D3DPRESENT_PARAMETERS parameters = ge::PresentParametersFor(window, true);
  IDirect3DDevice9* device = nullptr;
  if (FAILED(direct3D->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, window, D3DCREATE_HARDWARE_VERTEXPROCESSING,
                                    &parameters, &device))) {
    return nullptr;
  }
  return device;
}

void pumpMessages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

}  // namespace

int main(int argumentCount, char** arguments) {
  const int seconds = argumentCount > 1 ? std::atoi(arguments[1]) : 20;
  if (seconds <= 0) {
    std::fprintf(stderr, "usage: floor_d3d9_present [SECONDS > 0]\n");
    return 2;
  }
  HWND window = openWindow();
  IDirect3D9* direct3D = Direct3DCreate9(D3D_SDK_VERSION);
  IDirect3DDevice9* device = window && direct3D ? createDevice(direct3D, window) : nullptr;
  if (!device) {
    std::fprintf(stderr, "floor_d3d9_present: no Direct3D 9 device on a 640 x 480 window\n");
    return 1;
  }
  using namespace std::chrono;
  const auto start = steady_clock::now();
  const auto frameTime = duration_cast<steady_clock::duration>(duration<double>(1.0 / 60.0));
  for (long frame = 0; frame < 60L * seconds; ++frame) {
    std::this_thread::sleep_until(start + frame * frameTime);
    pumpMessages();
    // A colour that changes, so that no layer can skip the work as unchanged.
    device->Clear(0, nullptr, D3DCLEAR_TARGET, D3DCOLOR_XRGB(static_cast<int>(frame % 60) * 4, 0, 0), 1.0f, 0);
    device->BeginScene();
    device->EndScene();
    device->Present(nullptr, nullptr, nullptr, nullptr);
  }
  device->Release();
  direct3D->Release();
  DestroyWindow(window);
  return 0;
}
