// The game thread: builds the engines and the game, then runs the frame loop until Shutdown.
#pragma once

class Fl_Window;

// Start routine of the game thread; `window` is the shown game window and `nativeWindow` its X
// id, which main reads before the thread starts: start-up then needs nothing of the toolkit, and
// the game thread does not wait for the event loop's first pass to get the lock. Never returns:
// the process ends inside Shutdown.
[[noreturn]] void GameThread(Fl_Window* window, unsigned long nativeWindow);
