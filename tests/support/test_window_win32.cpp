#include "tests/support/test_window_win32.h"

#include <windows.h>

namespace {

TestWindowMessageHook hook = nullptr;

LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (hook != nullptr) hook(window, message, wParam, lParam);
  return DefWindowProcA(window, message, wParam, lParam);
}

// Registers a class once, by its name.
const char* windowClass(const char* name, WNDPROC procedure) {
  WNDCLASSA description{};
  if (GetClassInfoA(GetModuleHandleA(nullptr), name, &description)) return name;
  description.lpfnWndProc = procedure;
  description.hInstance = GetModuleHandleA(nullptr);
  description.lpszClassName = name;
  RegisterClassA(&description);
  return name;
}

}  // namespace

HWND__* CreateTestWindow(int width, int height, int left, int top, TestWindowMessageHook messageHook) {
  hook = messageHook;
  RECT frame{0, 0, width, height};
  AdjustWindowRect(&frame, WS_OVERLAPPEDWINDOW, FALSE);
  HWND window = CreateWindowA(windowClass("VarnelleTestWindow", windowProcedure), "test window",
                              WS_OVERLAPPEDWINDOW, left, top, frame.right - frame.left, frame.bottom - frame.top,
                              nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  ShowWindow(window, SW_SHOW);
  UpdateWindow(window);
  PumpMessages();
  return window;
}

HWND__* CreateMessageOnlyWindow() {
  return CreateWindowA(windowClass("VarnelleMessageWindow", DefWindowProcA), "message window", 0, 0, 0, 0, 0,
                       HWND_MESSAGE, nullptr, GetModuleHandleA(nullptr), nullptr);
}

void DestroyTestWindow(HWND__* window) {
  if (window != nullptr) DestroyWindow(window);
  PumpMessages();
}

void PumpMessages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
}
