// The game's Win32 window: one plain top-level window with a 640 × 480 client area, titled
// "Varnelle", whose pixels belong to the graphic engine. Closing it or pressing Escape in it ends
// the game through Shutdown.
#pragma once

struct HWND__;

// Creates and shows the window, the client area first at (0, 10) and then moved to (20, 20) with
// its size kept; `showCommand` is how the program was asked to show its window (its start-up
// information), which Windows applies to the first window shown. Main thread. Null when the
// window cannot be made; the reason has then been printed.
HWND__* ShowGameWindow(int showCommand);

// The shown window, for a request to end from outside the message loop (app/console_stops.h);
// null until ShowGameWindow has made it.
HWND__* GameWindow();

// Whether the window has the keyboard focus. Any thread.
bool GameWindowHasFocus(HWND__* window);

// Wakes the window's message loop, as a toolkit's awake would. Game thread, after a presented
// frame. The window is never invalidated for a frame: Direct3D presents into it, and a paint
// message means the system lost the window's pixels (see windowExposed).
void WakeMessageLoop(HWND__* window);
