// The common end of the program: the window's callback (close, Escape), the end of the event
// loop, and the frame loop when the game asks to end.
#pragma once

class Fl_Widget;

// Destroys the engines (graphics, input, sound), prints "goodbye" and exits with code 0. Both
// arguments are ignored. Runs on either thread, always with the toolkit lock held.
[[noreturn]] void Shutdown(Fl_Widget* widget, void* data);

// The same end while the game thread has not been started yet (a stop signal during the start-up
// question): nothing is built, so "goodbye" and exit code 0. Runs on the main thread.
[[noreturn]] void ShutdownBeforeGameThread();
