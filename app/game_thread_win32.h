// The Windows game thread: builds the engines and the game, then runs the frame loop until
// Shutdown.
#pragma once

// Start routine of the game thread (for _beginthread); `window` is the shown game window's
// handle. Never returns: the process ends inside Shutdown.
void __cdecl GameThread(void* window);
