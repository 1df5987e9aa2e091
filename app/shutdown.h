// The common end of the program: the window's callback (close, Escape), the end of the event
// loop, and the frame loop when the game asks to end.
#pragma once

class Fl_Widget;

// Destroys the engines (graphics, input, sound), prints "goodbye" and exits with code 0. Both
// arguments are ignored. Runs on either thread, always with the toolkit lock held.
[[noreturn]] void Shutdown(Fl_Widget* widget, void* data);
