// The common end of the Windows program: the window's close and Escape, the end of the message
// loop, a console stop (Ctrl+C, the console closed), and the frame loop when the game asks to end.
#pragma once

struct HWND__;

// Destroys the engines (graphics, input, sound), prints "goodbye" and exits with code 0. Both
// arguments are ignored. Runs on either thread, always with the shell lock held.
[[noreturn]] void Shutdown(HWND__* window, void* data);

// Whether Shutdown has begun. The window's thread answers messages sent to it while Shutdown waits
// for the game thread: a close among them must not begin a second one.
bool ShutdownStarted();

// The same end while the game thread has not been started yet (a console stop during the
// start-up question): nothing is built, so "goodbye" and exit code 0. Any thread.
[[noreturn]] void ShutdownBeforeGameThread();
