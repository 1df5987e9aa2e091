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

// Asks the window's thread to redraw the window, and wakes its message loop. Game thread, after a
// frame; the window draws nothing itself, the request only keeps the loop turning as a toolkit's
// redraw and awake would.
void RedrawGameWindow(HWND__* window);
void WakeMessageLoop(HWND__* window);
