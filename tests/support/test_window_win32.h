// Windows for the Windows engines' tests under Wine: a shown top-level window of a given client
// size for the graphics and input engines, a message-only one (no display needed) for the sound
// engine's co-operation level, and the message pump a test runs between frames.
#pragma once

#include <cstdint>

struct HWND__;

// A shown top-level window whose client area is width × height, at (left, top) on the screen.
// `messageHook`, when given, sees every message first, as the game window's procedure passes
// them to the input engine's recorder.
using TestWindowMessageHook = void (*)(HWND__* window, unsigned message, std::uintptr_t wParam,
                                       std::intptr_t lParam);
HWND__* CreateTestWindow(int width, int height, int left = 0, int top = 0,
                         TestWindowMessageHook messageHook = nullptr);
// A hidden window that only receives messages.
HWND__* CreateMessageOnlyWindow();
void DestroyTestWindow(HWND__* window);
// Handles the window messages waiting on this thread.
void PumpMessages();
